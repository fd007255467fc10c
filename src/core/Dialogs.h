#pragma once
// The one way screens and domain routines talk to the user through message boxes.
// Kept free of widgets so the domain layer can report through it; the widget
// implementation lives in MessageDialogs, and tests install a scripted one.
#include <QString>

namespace kavra {

enum class MsgIcon { None, Information, Question, Exclamation, Critical };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A plain message with an OK button. No box is ever shown empty: an empty text (an engine
    // that gave no description) becomes a plain sentence.
    void message(const QString& title, const QString& text, MsgIcon icon) {
        showMessage(title.trimmed().isEmpty() ? appTitleText() : title, text.trimmed().isEmpty() ? emptyText() : text,
                    icon);
    }
    // A Yes/No question; returns true for Yes.
    bool question(const QString& title, const QString& text, bool defaultNo) {
        return askQuestion(title.trimmed().isEmpty() ? appTitleText() : title,
                           text.trimmed().isEmpty() ? emptyText() : text, defaultNo);
    }

    void information(const QString& title, const QString& text) { message(title, text, MsgIcon::Information); }
    void critical(const QString& title, const QString& text) { message(title, text, MsgIcon::Critical); }
    void exclamation(const QString& title, const QString& text) { message(title, text, MsgIcon::Exclamation); }
    bool ask(const QString& title, const QString& text) { return question(title, text, false); }
    // An existing file picked from folder; "" when the user cancels.
    virtual QString chooseFile(const QString& title, const QString& folder, const QString& filter) {
        (void)title, (void)folder, (void)filter;
        return {};
    }

    // The process-wide instance; never null.
    static Dialogs& current();
    // Installs d (not owned); nullptr restores the fallback, which only logs to stderr.
    static void install(Dialogs* d);

    static QString emptyText() {
        return QStringLiteral(
            "The last command could not be completed, and no reason was given. Try it again; if it keeps "
            "failing, tell your administrator.");
    }

  protected:
    virtual void showMessage(const QString& title, const QString& text, MsgIcon icon) = 0;
    virtual bool askQuestion(const QString& title, const QString& text, bool defaultNo) = 0;

  private:
    static QString appTitleText() { return QStringLiteral("Kavra"); }
};

// The title most messages carry.
inline QString appTitle() {
    return QStringLiteral("Kavra");
}

}  // namespace kavra
