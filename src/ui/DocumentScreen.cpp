#include "ui/DocumentScreen.h"

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
#include "core/Text.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"
#include "ui/LineGrid.h"
#include "ui/PONoChngScreen.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

// Keys of the grid: Tab from the header opens the editor, Enter on a shown document starts
// modifying it, Tab from the editor goes on to Save (or Modify where Save is off).
class GridKeys : public QObject {
  public:
    GridKeys(LineGrid* grid, std::function<void(int, int)> startModify, std::function<QWidget*()> before,
             std::function<QList<QWidget*>()> after)
        : QObject(grid),
          grid_(grid),
          startModify_(std::move(startModify)),
          before_(std::move(before)),
          after_(std::move(after)) {}

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
                    next = before_();
                } else {
                    for (QWidget* w : after_())
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
    LineGrid* grid_;
    std::function<void(int, int)> startModify_;
    std::function<QWidget*()> before_;
    std::function<QList<QWidget*>()> after_;
};

// A click on a disabled header field of a shown record starts modifying it.
class HeaderClicks : public QObject {
  public:
    HeaderClicks(QObject* parent, std::function<void()> f) : QObject(parent), f_(std::move(f)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonPress) f_();
        return false;
    }

  private:
    std::function<void()> f_;
};

}  // namespace

DocumentScreen::DocumentScreen(const QString& screenName, const QString& caption) : Screen(screenName) {
    setWindowTitle(paddedCaption(caption));
}

DocumentScreen::Header DocumentScreen::makeHeader(const char* partyName, const QString& partyCaption,
                                                  const QString& idCaption, const char* idName) {
    auto* box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("fraHeader"));
    auto* g = new QGridLayout(box);
    auto* party = new QComboBox(box);
    party->setObjectName(QString::fromLatin1(partyName));
    party->setMinimumWidth(260);
    g->addWidget(makeCaption(box, partyCaption, party), 0, 0);
    g->addWidget(party, 0, 1);
    QLineEdit* id = addField(g, 0, 2, idCaption, idName, 10);
    showOnly(id);
    headerBox_ = box;
    partyBox_ = party;
    return Header{box, g, party, id};
}

LineGrid* DocumentScreen::makeGrid(const QString& heading, int typedColumns) {
    grid_ = new LineGrid(heading, typedColumns, this);
    grid_->setMinimumHeight(200);
    grid_->itemCodes = [this] {
        return Sql::texts(prod().db(), QStringLiteral("select ItemCode from Item order by ItemCode"));
    };
    grid_->itemByCode = [this](const QString& code) -> std::optional<ItemInfo> {
        const auto items = chain::Lookups::itemsByCode(prod().db(), {code});
        if (items.isEmpty()) return std::nullopt;
        const chain::ItemRef& it = *items.cbegin();
        return ItemInfo{it.id, it.name, it.unit};
    };
    return grid_;
}

void DocumentScreen::makeController(const RecordTexts& t) {
    ctl_ = new RecordController(this, this, t);
    if (QPushButton* p = findChild<QPushButton*>(QStringLiteral("cmdPrint")))
        connect(p, &QPushButton::clicked, this, [this] { print(); });
    auto startModify = [this](int row, int col) {
        if (ctl_->state() != RecState::Browse || ctl_->currentId() == 0) return;
        bool may = false;
        tryDb([&] {
            may = mayModify();
            if (may) partly_ = partlyProcessed();
        });
        if (!may) return;
        grid_->setPartlyProcessed(partly_);
        grid_->refreshItemCodes();
        ctl_->beginModify();
        if (ctl_->state() != RecState::Modifying || row < 0) return;
        grid_->beginEdit(row > 0 ? row : std::max(1, grid_->lineCount()), col);
    };
    if (grid_) {
        connect(ctl_, &RecordController::stateChanged, grid_,
                [this](RecState s) { grid_->setEditable(s != RecState::Browse); });
        connect(grid_, &LineGrid::modifyRequested, ctl_, startModify);
        grid_->setEditable(ctl_->state() != RecState::Browse);
        auto* keys = new GridKeys(
            grid_, startModify, [this] { return beforeGrid(); }, [this] { return afterGrid(); });
        grid_->table()->installEventFilter(keys);
        // Installed after the grid's own filter, so Tab is seen here first.
        grid_->editor()->installEventFilter(keys);
    }
    for (QWidget* box : QList<QWidget*>{headerBox_} + fieldBoxes_)
        if (box) box->installEventFilter(new HeaderClicks(box, [startModify] { startModify(-1, 0); }));
}

QList<QWidget*> DocumentScreen::afterGrid() {
    return {findChild<QPushButton*>(QStringLiteral("cmdSave")), findChild<QPushButton*>(QStringLiteral("cmdModify"))};
}

void DocumentScreen::setNavigationTable(const QString& table, const QString& key, const QString& filter) {
    navTable_ = table;
    navKey_ = key;
    navFilter_ = filter;
}

QVariant DocumentScreen::navigationStamp() {
    if (navTable_.isEmpty()) return {};
    QSqlQuery q =
        Sql::exec(prod().db(), QStringLiteral("select count(*), max(%1) from %2%3")
                                   .arg(navKey_, navTable_, navFilter_.isEmpty() ? QString() : " where " + navFilter_));
    if (!q.next()) return {};
    return QStringLiteral("%1:%2").arg(q.value(0).toLongLong()).arg(q.value(1).toLongLong());
}

void DocumentScreen::setFieldsEnabled(bool on) {
    if (!headerBox_) return;
    for (QWidget* box : QList<QWidget*>{headerBox_} + fieldBoxes_)
        for (QWidget* w : box->findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(w) || w->focusPolicy() == Qt::NoFocus) continue;
            w->setEnabled(on);
        }
    // Documents quote an order by its party and number: a drawn one keeps them.
    if (on && partly_ && ctl_->state() == RecState::Modifying)
        for (QWidget* w : frozenWhenPartly()) w->setEnabled(false);
    if (on && ctl_->state() == RecState::Adding && partyBox_) partyBox_->setFocus();
}

void DocumentScreen::focusRefusal(const Refusal& r) {
    if (!r.onGrid() || !grid_) return;
    const int row = std::clamp(r.row, 1, std::max(1, grid_->lineCount()));
    if (r.resetCell) grid_->setText(row, r.col, *r.resetCell);
    if (grid_->isEditable()) {
        grid_->beginEdit(row, std::max(1, r.col));
        grid_->editor()->setFocus();
        grid_->editor()->selectAll();
    } else {
        grid_->table()->setFocus();
    }
}

void DocumentScreen::functionKey(int key) {
    if (key == Qt::Key_F5) {
        if (!openItemMaster(prod())) return;
        // New items show in the pick lists once the item screen closes.
        auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
        QMdiSubWindow* items =
            sub && sub->mdiArea() ? Screens::find(sub->mdiArea(), QStringLiteral("frmItem")) : nullptr;
        if (items)
            connect(items, &QObject::destroyed, this, [this] {
                tryDb([this] {
                    if (grid_) grid_->refreshItemCodes();
                    refreshLists();
                });
            });
        return;
    }
    otherKey(key);
}

int DocumentScreen::usedLines() const {
    int n = grid_->lineCount();
    while (n > 0) {
        bool empty = true;
        for (int c = 1; c <= grid_->typedColumns(); ++c)
            if (!grid_->text(n, c).trimmed().isEmpty()) empty = false;
        if (!empty) break;
        --n;
    }
    return n;
}

QList<chain::Orders::Line> DocumentScreen::orderLines() const {
    QList<chain::Orders::Line> out;
    const int n = usedLines();
    for (int r = 1; r <= n; ++r) {
        chain::Orders::Line l;
        l.slNo = r;
        l.itemCode = grid_->text(r, 1).trimmed();
        l.itemName = grid_->text(r, 2).trimmed();
        l.uom = grid_->text(r, 3).trimmed();
        l.qty = text::typed(grid_->text(r, 4));
        l.rate = text::typed(grid_->text(r, 5));
        l.discount = text::typed(grid_->text(r, 6));
        out << l;
    }
    return out;
}

void DocumentScreen::showOrderLines(const QList<chain::Orders::Line>& lines) {
    grid_->clearLines();
    for (const chain::Orders::Line& l : lines)
        grid_->addLine({l.itemCode, l.itemName, l.uom, text::plain(l.qty), chain::Rows::rateText(l.rate),
                        text::plain(l.discount)});
    grid_->setStoredLineCount(int(lines.size()));
}

void DocumentScreen::cancelOrRevert(bool cancelled, const std::function<void(qint64, bool)>& setCancelled) {
    const qint64 id = ctl_->currentId();
    if (id == 0 || ctl_->state() == RecState::Adding) return;
    const bool cancel = !cancelled;
    if (!Dialogs::current().ask(appTitle(),
                                cancel ? QStringLiteral("Are You sure to Cancel this Purchase Order?")
                                       : QStringLiteral("Are You sure to Revert this Cancelled Purchase Order?")))
        return;
    try {
        setCancelled(id, cancel);
    } catch (const DbError& e) {
        logFailure(e);
        return;
    }
    ctl_->showId(id);
}

void DocumentScreen::changeOrderNumber(const chain::OrderKind& kind) {
    auto* cmdModify = findChild<QPushButton*>(QStringLiteral("cmdModify"));
    const qint64 id = ctl_->currentId();
    if (id == 0 || !cmdModify || !cmdModify->isEnabled()) return;
    auto* side = new FrmPONoChng(kind, id);
    if (!openSide(side)) return;
    // The shown order and its number are read again once the change screen closes.
    connect(side, &QObject::destroyed, this, [this, id] { ctl_->showId(id); });
}

qint64 DocumentScreen::partyId() const {
    return partyBox_ && partyBox_->currentIndex() >= 0 ? partyBox_->currentData().toLongLong() : 0;
}

bool DocumentScreen::openSide(Screen* side) {
    if (prod().CheckScreenLock(side->screenName(), 3) == 1) {
        delete side;
        return false;
    }
    prod().RegisterScreen(side->screenName(), 3);
    if (!side->load()) {
        prod().ReleaseScreen(side->screenName());
        delete side;
        return false;
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub && sub->mdiArea())
        Screens::show(sub->mdiArea(), side);
    else
        side->show();
    return true;
}

// ---- Field builders

QLabel* makeCaption(QWidget* parent, const QString& caption, QWidget* buddy) {
    // A lone "& " is a word, not a shortcut marker: shown as it is written.
    QString shown = caption;
    if (buddy) shown.replace(QRegularExpression(QStringLiteral("(?<!&)& ")), QStringLiteral("&& "));
    auto* l = new QLabel(shown, parent);
    if (buddy) l->setBuddy(buddy);
    return l;
}

QLineEdit* addField(QGridLayout* g, int row, int col, const QString& caption, const char* name, int maxLen) {
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

namespace {

const QDate kNoDate(1900, 1, 1);

class OptionalDateKeys : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* d = qobject_cast<QDateEdit*>(o);
        if (!d) return false;
        const bool empty = d->date() == kNoDate;
        if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_Delete) {
                d->setDate(kNoDate);
                return true;
            }
            // Blank, it has no parts to step through: Tab leaves it at once.
            if (empty && (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab)) {
                focusNextField(d, k->key() == Qt::Key_Tab);
                return true;
            }
            const bool starts = k->key() == Qt::Key_Up || k->key() == Qt::Key_Down || k->key() == Qt::Key_F4 ||
                                (!k->text().isEmpty() && k->text().at(0).isDigit());
            if (empty && starts) d->setDate(Clock::today());
        } else if (e->type() == QEvent::MouseButtonPress && empty) {
            d->setDate(Clock::today());
        }
        return false;
    }
};

}  // namespace

QDateEdit* makeOptionalDate(QWidget* parent, const char* name) {
    QDateEdit* d = makeDate(parent, name);
    d->setMinimumDate(kNoDate);
    d->setSpecialValueText(QStringLiteral(" "));
    d->setDate(kNoDate);
    d->installEventFilter(new OptionalDateKeys(d));
    return d;
}

QDate optionalDate(const QDateEdit* d) {
    return d->date() == kNoDate ? QDate() : d->date();
}

void setOptionalDate(QDateEdit* d, const QDate& date) {
    d->setDate(date.isValid() ? date : kNoDate);
}

void tabChain(std::initializer_list<QWidget*> widgets) {
    tabChain(QList<QWidget*>(widgets));
}

void tabChain(const QList<QWidget*>& widgets) {
    QWidget* prev = nullptr;
    for (QWidget* w : widgets) {
        if (prev) QWidget::setTabOrder(prev, w);
        prev = w;
    }
}

void numericOnly(QLineEdit* e) {
    e->setValidator(numberValidator(e));
}

QLabel* makeDocHeading(QWidget* parent, const QString& text) {
    return makeHeading(parent, text, QStringLiteral("font-size: 15pt; font-weight: bold; color: #20406a;"));
}

void fillParties(QSqlDatabase& db, QComboBox* c, const QString& table, const QString& key, const QString& name) {
    QSqlQuery q = Sql::exec(db, QStringLiteral("select %1, %2 from %3 order by %2").arg(key, name, table));
    while (q.next()) c->addItem(q.value(1).toString(), q.value(0));
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

}  // namespace kavra
