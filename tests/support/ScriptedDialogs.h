#pragma once
// Message boxes for tests: everything shown is recorded, questions are answered
// from a queue and then with the default answer.
#include <QQueue>
#include <QString>
#include <QVector>

#include "core/Dialogs.h"

namespace kavra::test {

struct Shown {
    QString title;
    QString text;
    MsgIcon icon = MsgIcon::None;  // Question for questions
};

class ScriptedDialogs : public Dialogs {
  public:
    void showMessage(const QString& title, const QString& text, MsgIcon icon) override;
    bool askQuestion(const QString& title, const QString& text, bool defaultNo) override;

    void answer(bool yes) { answers_.enqueue(yes); }
    // The file the next file choice picks ("" cancels).
    void answerFile(const QString& file) { files_.enqueue(file); }
    QString chooseFile(const QString&, const QString&, const QString&) override {
        return files_.isEmpty() ? QString() : files_.dequeue();
    }
    void setDefaultAnswer(bool yes) { defaultAnswer_ = yes; }
    void clear();

    const QVector<Shown>& shown() const { return shown_; }
    // The last message (not question); empty when nothing was shown.
    Shown last() const;
    // Some message said exactly this.
    bool saw(const QString& text) const {
        for (const Shown& m : shown_)
            if (m.text == text) return true;
        return false;
    }
    int count() const { return shown_.size(); }

  private:
    QVector<Shown> shown_;
    QQueue<bool> answers_;
    QQueue<QString> files_;
    bool defaultAnswer_ = false;
};

}  // namespace kavra::test
