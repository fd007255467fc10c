#pragma once
// The behaviour every master and document screen shares: the three states with their
// button enabling and status texts, New / Save / Modify / Delete with their questions
// and messages, navigation with wrap-around, search, the attachments label and the
// function keys. A screen supplies its fields and its domain rules through RecordHost.
//
// The navigation set is read when the screen opens and kept in memory: a write puts the
// written record in its place and a delete takes it out, so nothing is read again after a
// save; a move first asks the host whether another desk changed the table (a cheap stamp)
// and only then reads the set again.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

#include "core/Dialogs.h"
#include "core/Found.h"
#include "core/Refusal.h"

class QPushButton;
class QLabel;
class QLineEdit;
class QWidget;
class QListWidget;

namespace kavra {

class Screen;
class clsProd;

enum class RecState { Browse, Adding, Modifying };

class RecordHost {
  public:
    virtual ~RecordHost() = default;
    // Identifiers of the navigation set, in order.
    virtual QList<qint64> navigation() = 0;
    // The order of the navigation set: a record's sort key (by default its identifier).
    virtual QVariantList navigationKey(qint64 id) { return {id}; }
    // Changes whenever the navigation set changes, at any desk; invalid: never asked.
    virtual QVariant navigationStamp() { return {}; }
    virtual qint64 proposeId() = 0;
    virtual void showRecord(qint64 id) = 0;
    // Empties the fields for a new record with this identifier and sets the defaults.
    virtual void clearForNew(qint64 id) = 0;
    virtual void setFieldsEnabled(bool on) { (void)on; }
    // Field and line checks, then the duplicate-number check; the first failure wins.
    virtual Check validate(bool adding) = 0;
    // Writes the record inside one transaction (a throw leaves nothing behind) and returns
    // the identifier it was written under.
    virtual qint64 write(bool adding, qint64 id) = 0;
    virtual Check modifyBlock() { return std::nullopt; }
    virtual Check deleteBlock() { return std::nullopt; }
    virtual void remove(qint64 id) = 0;
    // After remove: true when the record stayed (marked rather than deleted), so it is shown
    // again in its place instead of leaving the navigation set.
    virtual bool keptOnRemove(qint64 id) {
        (void)id;
        return false;
    }
    // The Delete button does something else for this record (its caption says what): done
    // here, returning true.
    virtual bool deleteInstead() { return false; }
    // The host's own questions after the checks and before the standard one; false stops the
    // write without a message.
    virtual bool agreesToWrite(bool adding) {
        (void)adding;
        return true;
    }
    virtual bool isCancelled() const { return false; }
    // The question before a write; "" uses the standard one.
    virtual QString confirmText(bool adding) {
        (void)adding;
        return {};
    }
    // Search: the record found for the typed text, and what to tell the user.
    virtual Found find(const QString& text) {
        (void)text;
        return {};
    }
    // After a write or delete: bring the screen's lists up to date with what changed.
    virtual void refreshLists() {}
    virtual void functionKey(int key) { (void)key; }
    // Puts the user on what a refusal names: the control of that name by default; a document
    // screen puts the grid's editor on the cell.
    virtual void focusRefusal(const Refusal& r) { (void)r; }
};

struct RecordTexts {
    QString adding;     // "You are about to ADD a NEW P.O. Now..."
    QString modifying;  // "You are about to MODIFY the existing P.O. now..."
    QString deleting;   // "You are about to DELETE the existing P.O. now..."
    QString showing;    // status while a stored record is shown ("" on document screens)
    QString emptyTable = QStringLiteral("No records to Display.");
    MsgIcon emptyIcon = MsgIcon::Information;
    bool sayEmpty = false;  // also on opening and after the last delete
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
    bool deleteGoesLast = false;  // ledgers show their newest entry after a delete
};

// The buttons a controller drives, by objectName ("" for none). A screen with two record
// frames gives the second its own set and leaves the screen-wide parts (status line, search,
// attachments, CLOSE, function keys, navigation) to the first.
struct RecordButtons {
    QString newName = QStringLiteral("cmdNew");
    QString saveName = QStringLiteral("cmdSave");
    QString modifyName = QStringLiteral("cmdModify");
    QString deleteName = QStringLiteral("cmdDelete");
    bool screenWide = true;
};

class RecordController : public QObject {
    Q_OBJECT
  public:
    RecordController(Screen* screen, RecordHost* host, RecordTexts texts, RecordButtons buttons = {});

    // Reads the navigation set and shows the first (or last) record; Adding on an empty table.
    void start();
    // Load of a record screen: its connection, then its lists (a failure there is logged and
    // the screen still opens), then the first record. False when the screen cannot be shown.
    bool open(const std::function<void()>& fillLists);
    RecState state() const { return state_; }
    qint64 currentId() const { return currentId_; }
    const RecordTexts& texts() const { return texts_; }
    const QList<qint64>& navigationSet() const { return ids_; }

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
    // Shows a refusal the way every command does: its message, then the focus on what it names.
    void refuse(const Refusal& r);
    // Runs work, logging a database failure and showing a refusal; false when either happened.
    bool guarded(const std::function<void()>& work);

  signals:
    void stateChanged(kavra::RecState state);

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    void apply(RecState s);
    void commit(bool adding);
    void markUnder(QPushButton* b);
    void reload();
    void reloadIfStale();
    void place(qint64 id);
    void moveTo(int index);

    Screen* screen_;
    RecordHost* host_;
    RecordTexts texts_;
    RecState state_ = RecState::Browse;
    QList<qint64> ids_;
    QVariant stamp_;
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

// F5 on a document screen: the item master, when the user's right 4 allows it and no other
// workstation holds it. False when refused (the reason was shown).
bool openItemMaster(clsProd& prod);

// Typing in the box selects the first entry of the list that begins with the text (upper case compare).
void attachTypeAhead(QLineEdit* box, QListWidget* list);

}  // namespace kavra
