#pragma once
// Several desks on one company at once: the office the racers (kavra_racer) start from,
// starting and reading them, and the check that whatever they did left the books whole.
// Shared by the race tests and the desks bench; no test framework in here.
#include <QDate>
#include <QProcess>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace kavra::desks {

// After a program was killed: on PostgreSQL, waits (up to 10 s) until the server has ended
// its sessions, which it notices a moment later, so the holds they kept are gone.
void awaitServerLetsGo(qint64 pid);

// One customer (1, "ACME"), items 1..items coded P001.., each with stock in one transfer
// note, and orders 1..orders numbered PO-1.. with one line of each item; all written
// through the domain routines, as the screens would.
struct Plan {
    int items = 4;
    double stock = 1000;  // of each item
    int orders = 1;
    double ordered = 10;  // on each order line
    bool reduceStock = true;
};
constexpr qint64 kCustomer = 1;
QString itemCode(int item);
QString orderNo(int order);
void furnish(QSqlDatabase& db, const Plan& plan, const QDate& day);

// Everything wrong with the books after any number of desks worked on them, one sentence
// each; empty when they are whole. Reads only: works on a backup copy too.
QStringList faults(QSqlDatabase& db);

// Whether a save refused at a desk gave one of the reasons the system gives, not an
// engine's text.
bool knownRefusal(const QString& text);

// One attempt as a racer printed it: "saved", "refused" or "error", what it tried, and
// the identifier saved or the reason.
struct Attempt {
    QString verdict, what, text;
};
Attempt parseAttempt(const QString& line);

// A racer in a process of its own. It connects, says it is ready and waits; go() starts
// every racer of a run at once.
class Racer {
  public:
    // args: the scenario and its options; the database options of this process are added.
    Racer(const QString& program, const QString& companyDb, const QDate& day, const QStringList& args);
    ~Racer();
    bool ready() const { return ready_; }
    void go();
    // Waits for the racer to end by itself; false when it did not within ms.
    bool finish(int ms);
    void killHard();  // SIGKILL: nothing of the racer's own runs
    bool running() const { return proc_->state() != QProcess::NotRunning; }
    // Every complete line printed so far (a line cut short by a kill is left out).
    std::vector<Attempt> attempts();
    QString errors() const;  // what it wrote to its error stream
    int exitCode() const { return proc_->exitCode(); }

  private:
    std::unique_ptr<QProcess> proc_;
    QByteArray out_;
    bool ready_ = false;
};

// What a run of racers did, summed.
struct Tally {
    int saved = 0, refused = 0, errors = 0;
    QStringList refusals, errorTexts, unknownRefusals;
    void add(const std::vector<Attempt>& attempts);
};

}  // namespace kavra::desks
