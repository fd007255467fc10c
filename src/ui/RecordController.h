#pragma once
// The behaviour every master and document screen shares: the three states with their
// button enabling and status texts, New / Save / Modify / Delete with their questions
// and messages, navigation with wrap-around, search, the attachments label and the
// function keys. A screen supplies its fields and its domain rules through RecordHost.
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>

#include "ui/Dialogs.h"

class QPushButton;
class QLabel;
class QLineEdit;
class QWidget;
class QListWidget;

namespace kavra {

class Screen;
class clsProd;

enum class RecState { Browse, Adding, Modifying };

struct Refusal {
    QString text;
    QWidget* focus = nullptr;
    MsgIcon icon = MsgIcon::Critical;
};

class RecordHost {
  public:
    virtual ~RecordHost() = default;
    // Identifiers of the navigation set, in order.
    virtual QList<qint64> navigation() = 0;
    virtual qint64 proposeId() = 0;
    virtual void showRecord(qint64 id) = 0;
    // Empties the fields for a new record with this identifier and sets the defaults.
    virtual void clearForNew(qint64 id) = 0;
    virtual void setFieldsEnabled(bool on) { (void)on; }
    // Field and line checks, then the duplicate-number check; the first failure wins.
    virtual std::optional<Refusal> validate(bool adding) = 0;
    // Writes the record; runs inside one transaction, so a throw leaves nothing behind.
    virtual void write(bool adding, qint64 id) = 0;
    virtual std::optional<Refusal> modifyBlock() { return std::nullopt; }
    virtual std::optional<Refusal> deleteBlock() { return std::nullopt; }
    virtual void remove(qint64 id) = 0;
    virtual bool isCancelled() const { return false; }
    // The question before a write; "" uses the standard one.
    virtual QString confirmText(bool adding) { return {}; }
    // Search: the record found for the typed text, or the message to show.
    virtual std::optional<qint64> find(const QString& text, QString* message) {
        (void)text;
        (void)message;
        return std::nullopt;
    }
    // The identifier of the record just written, in the refreshed navigation set.
    virtual qint64 writtenId(qint64 id) { return id; }
    // After a write or delete: refill lists that show the records.
    virtual void refreshLists() {}
    virtual void functionKey(int key) { (void)key; }
};

// The members every record screen supplies, declared in its class body.
#define KAVRA_RECORD_HOST_OVERRIDES                        \
    QList<qint64> navigation() override;                   \
    qint64 proposeId() override;                           \
    void showRecord(qint64 id) override;                   \
    void clearForNew(qint64 id) override;                  \
    std::optional<Refusal> validate(bool adding) override; \
    void write(bool adding, qint64 id) override;           \
    std::optional<Refusal> deleteBlock() override;         \
    void remove(qint64 id) override;

struct RecordTexts {
    QString adding;     // "You are about to ADD a NEW P.O. Now..."
    QString modifying;  // "You are about to MODIFY the existing P.O. now..."
    QString deleting;   // "You are about to DELETE the existing P.O. now..."
    QString showing;    // status while a stored record is shown ("" on document screens)
    QString emptyTable = QStringLiteral("No records to Display.");
    QString saveQuestion = QStringLiteral("Are You Sure To Save ?");
    QString modifyQuestion = QStringLiteral("Are You Sure To Modify?");
    QString deleteQuestion = QStringLiteral("Are You Sure To Delete ?");
    QString saved = QStringLiteral("Record Saved .");
    QString modified = QStringLiteral("Record Modified.");
    QString deleted = QStringLiteral("Record Deleted Successfully.");
    QString afterWrite;                // status after Save / Modify / Delete on master screens
    bool fieldsLockedInBrowse = true;  // documents: header fields disabled until Modifying
    bool showFirstOnLoad = true;       // else the last record
    bool deleteGoesFirst = true;
};

class RecordController : public QObject {
    Q_OBJECT
  public:
    RecordController(Screen* screen, RecordHost* host, RecordTexts texts);

    // Reads the navigation set and shows the first (or last) record; Adding on an empty table.
    void start();
    // Load of a record screen: its connection, then its lists (a failure there is logged and
    // the screen still opens), then the first record. False when the screen cannot be shown.
    bool open(const std::function<void()>& fillLists);
    RecState state() const { return state_; }
    qint64 currentId() const { return currentId_; }
    const RecordTexts& texts() const { return texts_; }

    void cmdNew();
    void cmdSave();
    void cmdModify();
    void cmdDelete();
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();
    // A click into the grid or a header field of a shown record.
    void beginModify();
    // Typing in a field of a shown record on a master screen.
    void fieldEdited();
    void search(const QString& text);
    void showId(qint64 id);
    void refreshAttachments();

    void setStatus(const QString& text);

  signals:
    void stateChanged(kavra::RecState state);

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    void apply(RecState s);
    void commit(bool adding);
    void markUnder(QPushButton* b);
    void reload();
    void moveTo(int index);
    bool guarded(const std::function<void()>& work);

    Screen* screen_;
    RecordHost* host_;
    RecordTexts texts_;
    RecState state_ = RecState::Browse;
    QList<qint64> ids_;
    int index_ = -1;
    qint64 currentId_ = 0;
    QPushButton* cmdNew_;
    QPushButton* cmdSave_;
    QPushButton* cmdModify_;
    QPushButton* cmdDelete_;
    QLabel* lblStatus_;
    QWidget* cmdRGB_;
    QLabel* lblCorres_;
    QLineEdit* txtGO_;
    qint64 pendingId_ = 0;
};

// Ties a document's line grid to its controller: the grid is typed only while Adding or
// Modifying, and a click into the grid of a shown record starts modifying it (after the
// screen says whether the document is partly processed, which locks its stored lines).
void bindLineGrid(RecordController* ctl, class LineGrid* grid, std::function<bool()> partlyProcessed);

// F5 on a document screen: the item master, when the user's right 4 allows it and no other
// workstation holds it. False when refused (the reason was shown).
bool openItemMaster(clsProd& prod);

// Typing in the box selects the first entry of the list that begins with the text (upper case compare).
void attachTypeAhead(QLineEdit* box, QListWidget* list);

}  // namespace kavra
