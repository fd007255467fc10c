#include "sales/forms/DocScreenKit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSqlQuery>
#include <QTableWidget>

#include "core/Session.h"
#include "core/Sql.h"
#include "ui/LineGrid.h"
#include "ui/Screen.h"
#include "ui/Widgets.h"

namespace kavra::salesforms {

namespace {

class GridKeys : public QObject {
  public:
    GridKeys(RecordController* ctl, LineGrid* grid, GridBinding b, std::function<void(int, int)> startModify)
        : QObject(grid), ctl_(ctl), grid_(grid), b_(std::move(b)), startModify_(std::move(startModify)) {}

    bool eventFilter(QObject* o, QEvent* e) override {
        QTableWidget* table = grid_->table();
        if (o == table && e->type() == QEvent::FocusIn && grid_->isEditable() && !grid_->isEditing()) {
            const auto reason = static_cast<QFocusEvent*>(e)->reason();
            if (reason == Qt::TabFocusReason) grid_->beginEdit(1, 1);
            if (reason == Qt::BacktabFocusReason) grid_->beginEdit(std::max(1, grid_->lineCount()), 1);
            return false;
        }
        if (o == table && e->type() == QEvent::KeyPress && !grid_->isEditing()) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_F2) {
                const int row = std::max(1, table->currentRow() + 1);
                const int col = std::max(1, table->currentColumn());
                if (grid_->isEditable())
                    grid_->beginEdit(row, col);
                else
                    startModify_(row, col);
                return true;
            }
        }
        if (o == grid_->editor() && e->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Tab || k == Qt::Key_Backtab) {
                grid_->hideEditor();
                QWidget* next = nullptr;
                if (k == Qt::Key_Backtab) {
                    next = b_.beforeGrid ? b_.beforeGrid() : nullptr;
                } else if (b_.afterGrid) {
                    for (QWidget* w : b_.afterGrid())
                        if (w && w->isEnabled() && w->isVisible()) {
                            next = w;
                            break;
                        }
                }
                if (next) next->setFocus(k == Qt::Key_Tab ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
        }
        return false;
    }

  private:
    RecordController* ctl_;
    LineGrid* grid_;
    GridBinding b_;
    std::function<void(int, int)> startModify_;
};

class HeaderClicks : public QObject {
  public:
    HeaderClicks(RecordController* ctl, QWidget* header, std::function<bool()> before)
        : QObject(header), ctl_(ctl), before_(std::move(before)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonPress && ctl_->state() == RecState::Browse && ctl_->currentId() != 0) {
            if (!before_ || before_()) ctl_->beginModify();
        }
        return false;
    }

  private:
    RecordController* ctl_;
    std::function<bool()> before_;
};

}  // namespace

void bindGrid(RecordController* ctl, LineGrid* grid, GridBinding b) {
    QObject::connect(ctl, &RecordController::stateChanged, grid,
                     [grid](RecState s) { grid->setEditable(s != RecState::Browse); });
    auto startModify = [ctl, grid, b](int row, int col) {
        if (ctl->state() != RecState::Browse || ctl->currentId() == 0) return;
        if (b.mayModify && !b.mayModify()) return;
        grid->setPartlyProcessed(b.partlyProcessed && b.partlyProcessed());
        ctl->beginModify();
        if (ctl->state() != RecState::Modifying) return;
        grid->beginEdit(row > 0 ? row : std::max(1, grid->lineCount()), col);
    };
    QObject::connect(grid, &LineGrid::modifyRequested, ctl, startModify);
    grid->setEditable(ctl->state() != RecState::Browse);
    auto* keys = new GridKeys(ctl, grid, std::move(b), startModify);
    grid->table()->installEventFilter(keys);
    // Installed after the grid's own filter, so Tab is seen here first.
    grid->editor()->installEventFilter(keys);
}

std::function<QList<QWidget*>()> saveThenModify(QWidget* screen) {
    auto* cmdSave = screen->findChild<QPushButton*>(QStringLiteral("cmdSave"));
    auto* cmdModify = screen->findChild<QPushButton*>(QStringLiteral("cmdModify"));
    return [cmdSave, cmdModify] { return QList<QWidget*>{cmdSave, cmdModify}; };
}

void modifyOnHeaderClick(RecordController* ctl, QWidget* header, std::function<bool()> before) {
    header->installEventFilter(new HeaderClicks(ctl, header, std::move(before)));
}

std::optional<Refusal> refusalOf(QWidget* screen, LineGrid* grid, const std::optional<sales::Problem>& p) {
    if (!p) return std::nullopt;
    QWidget* focus = nullptr;
    if (p->field == QLatin1String("msflex")) {
        const int row = std::clamp(p->row, 1, std::max(1, grid->lineCount()));
        if (p->resetCell) grid->setText(row, p->col, *p->resetCell);
        if (grid->isEditable()) {
            grid->beginEdit(row, std::max(1, p->col));
            focus = grid->editor();
        } else {
            focus = grid->table();
        }
    } else if (!p->field.isEmpty()) {
        focus = screen->findChild<QWidget*>(p->field);
    }
    return Refusal{p->text, focus, p->icon};
}

int usedLines(const LineGrid* grid) {
    int n = grid->lineCount();
    while (n > 0) {
        bool empty = true;
        for (int c = 1; c <= grid->typedColumns(); ++c)
            if (!grid->text(n, c).trimmed().isEmpty()) empty = false;
        if (!empty) break;
        --n;
    }
    return n;
}

QLabel* makeCaption(QWidget* parent, const QString& caption, QWidget* buddy) {
    // A lone "& " is a word, not a shortcut marker: shown as it is written.
    QString shown = caption;
    if (buddy) shown.replace(QRegularExpression(QStringLiteral("(?<!&)& ")), QStringLiteral("&& "));
    auto* l = new QLabel(shown, parent);
    if (buddy) l->setBuddy(buddy);
    return l;
}

QLineEdit* addLine(QGridLayout* g, int row, int col, const QString& caption, const char* name, int maxLen) {
    QWidget* parent = g->parentWidget();
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLen);
    g->addWidget(makeCaption(parent, caption, e), row, col);
    g->addWidget(e, row, col + 1);
    return e;
}

QDateEdit* makeDate(QWidget* parent, const char* name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    d->setDate(Clock::today());
    return d;
}

void tabChain(std::initializer_list<QWidget*> widgets) {
    QWidget* prev = nullptr;
    for (QWidget* w : widgets) {
        if (prev) QWidget::setTabOrder(prev, w);
        prev = w;
    }
}

void numericOnly(QLineEdit* e) {
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^\\d*\\.?\\d*$")), e));
}

QLabel* makeDocHeading(QWidget* parent, const QString& text) {
    return makeHeading(parent, text, QStringLiteral("font-size: 15pt; font-weight: bold; color: #20406a;"));
}

QComboBox* makeCustomerCombo(QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QStringLiteral("cmbCust"));
    c->setPlaceholderText(QStringLiteral("(Select a Customer)"));
    return c;
}

void fillCustomers(QSqlDatabase& db, QComboBox* c) {
    QSqlQuery q = Sql::exec(db, QStringLiteral("select CustId, CustName from Customer order by CustName"));
    while (q.next()) c->addItem(q.value(1).toString(), q.value(0));
}

DocHeader makeDocHeader(QWidget* parent, const QString& customerCaption, const QString& idCaption, const char* idName) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(QStringLiteral("fraHeader"));
    auto* g = new QGridLayout(box);
    QComboBox* cust = makeCustomerCombo(box);
    cust->setMinimumWidth(260);
    g->addWidget(makeCaption(box, customerCaption, cust), 0, 0);
    g->addWidget(cust, 0, 1);
    QLineEdit* id = addLine(g, 0, 2, idCaption, idName, 10);
    showOnly(id);
    return DocHeader{box, g, cust, id};
}

void addSearch(QHBoxLayout* row, QWidget* parent, const QString& caption, const QString& tip) {
    auto* lblGO = makeLinkLabel(parent, "lblGO");
    lblGO->setText(caption);
    auto* txtGO = new QLineEdit(parent);
    txtGO->setObjectName(QStringLiteral("txtGO"));
    txtGO->setToolTip(tip);
    auto* lblAdvSrch = makeLinkLabel(parent, "lblAdvSrch");
    lblAdvSrch->setText(QStringLiteral("Search More..."));
    notAvailableYet(lblAdvSrch);
    row->addWidget(lblGO);
    row->addWidget(txtGO);
    row->addWidget(lblAdvSrch);
}

QPushButton* addCorresAndPrint(QHBoxLayout* row, QWidget* parent, const QString& printCaption) {
    auto* cmdPrint = makeButton(parent, "cmdPrint", printCaption);
    QLabel* lblCorres = makeLinkLabel(parent, "lblCorres");
    lblCorres->setMinimumWidth(110);
    row->addWidget(lblCorres);
    row->addWidget(cmdPrint);
    return cmdPrint;
}

void printShown(Screen* screen, RecordController* ctl, const std::function<Print::Document(qint64)>& stored,
                const Print::Document& blank) {
    auto* cmdSave = screen->findChild<QPushButton*>(QStringLiteral("cmdSave"));
    try {
        const Print::Document doc = ctl->currentId() != 0 ? stored(ctl->currentId()) : blank;
        Print::printDocument(screen->prod().db(), Dialogs::current(), doc, cmdSave && cmdSave->isEnabled());
    } catch (const DbError& e) {
        screen->logFailure(e);
    }
}

bool openSideScreen(Screen* owner, Screen* side) {
    clsProd& prod = owner->prod();
    if (prod.CheckScreenLock(side->screenName(), 3) == 1) {
        delete side;
        return false;
    }
    prod.RegisterScreen(side->screenName(), 3);
    if (!side->load()) {
        prod.ReleaseScreen(side->screenName());
        delete side;
        return false;
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(owner->parentWidget());
    if (sub && sub->mdiArea())
        Screens::show(sub->mdiArea(), side);
    else
        side->show();
    return true;
}

void notAvailableYet(QLabel* link) {
    class Click : public QObject {
      public:
        using QObject::QObject;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() != QEvent::MouseButtonPress) return false;
            Dialogs::current().information(appTitle(), QStringLiteral("This screen is not available yet."));
            return true;
        }
    };
    link->installEventFilter(new Click(link));
}

void showHelp(const QString& page) {
    Dialogs::current().information(appTitle(), QStringLiteral("Help topic: ") + page);
}

}  // namespace kavra::salesforms
