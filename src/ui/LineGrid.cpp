#include "ui/LineGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {
constexpr int kListRows = 8;
}

int LineGridCells::rowCount() const {
    return g_->lineCount() + 1;
}
int LineGridCells::colCount() const {
    return g_->columnCount();
}
QString LineGridCells::text(int row, int col) const {
    return row == 0 ? g_->headingText(col) : g_->text(row, col);
}
int LineGridCells::colorValue(int row, int col) const {
    if (row <= 0) return 0;
    const QColor c = g_->cellColor(row, col);
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QString LineGrid::hint(int n) {
    return QStringLiteral(
               "TO ADD NEW ROW,  fill first %1 columns, Press 'down arrow' or 'Enter' key.  TO DELETE A "
               "ROW empty %1 columns, press 'up arrow' (ONLY LAST ROW IS POSSIBLE TO ADD / DELETE)")
        .arg(n);
}

LineGrid::LineGrid(const QString& heading, int typedColumns, QWidget* parent)
    : QWidget(parent), table_(new QTableWidget(this)) {
    table_->setObjectName(QStringLiteral("msflex"));
    setGridHeading(table_, heading);
    typed_ = std::clamp(typedColumns, 1, std::max(1, table_->columnCount() - 1));

    const QFontMetrics fm(table_->font());
    QHeaderView* rows = table_->verticalHeader();
    rows->setVisible(false);
    rows->setMinimumSectionSize(fm.height() + 8);
    rows->setDefaultSectionSize(fm.height() + 8);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* head = table_->horizontalHeader();
    head->setFixedHeight(fm.height() + 12);
    head->setSectionsClickable(true);
    head->setHighlightSections(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table_->setToolTip(hint(typed_));

    // A child of the viewport, so it stays clipped to the cells as the grid scrolls.
    edit_ = new QLineEdit(table_->viewport());
    edit_->setObjectName(QStringLiteral("txtEdit"));
    edit_->setFrame(false);
    // The cell being typed in stands out from the cells around it.
    edit_->setStyleSheet(
        QStringLiteral("QLineEdit#txtEdit { border: 2px solid #1f6fd0; background: #fffbe0; padding: 0 2px; }"));
    edit_->setToolTip(hint(typed_));
    edit_->hide();
    edit_->installEventFilter(this);
    numeric_ = numberValidator(edit_);

    // A child of the grid itself, so it can drop below the cell over the rows under it.
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstItemCode"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->hide();
    list_->installEventFilter(this);
    neverExport(list_);
    // The grid's keys are its own: Enter moves between cells, not to the next field.
    for (QWidget* w : {static_cast<QWidget*>(table_), static_cast<QWidget*>(edit_), static_cast<QWidget*>(list_)})
        keepOwnEnter(w);
    offerExport(table_, QStringLiteral("Item Lines"));

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(table_);

    table_->viewport()->installEventFilter(this);
    connect(head, &QHeaderView::sectionClicked, this, &LineGrid::headingClicked);
    connect(head, &QHeaderView::sectionResized, this, &LineGrid::placeGeometry);
    connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &LineGrid::placeGeometry);
    connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, this, &LineGrid::placeGeometry);
    connect(edit_, &QLineEdit::textEdited, this, &LineGrid::onTyped);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) { chooseItem(it->text()); });
}

void LineGrid::setItemColumns(int codeCol, int nameCol, int unitCol) {
    codeCol_ = codeCol;
    nameCol_ = nameCol;
    unitCol_ = unitCol;
}

void LineGrid::setNumericColumns(const QList<int>& cols) {
    numericCols_ = QSet<int>(cols.begin(), cols.end());
}

void LineGrid::setRateDiscountColumns(int rateCol, int discountCol) {
    rateCol_ = rateCol;
    discountCol_ = discountCol;
}

int LineGrid::columnCount() const {
    return table_->columnCount();
}

void LineGrid::refreshItemCodes() {
    list_->clear();
    if (itemCodes) list_->addItems(itemCodes());
}

void LineGrid::setEditable(bool adding) {
    editable_ = adding;
    if (!adding) hideEditor();
}

void LineGrid::setPartlyProcessed(bool on) {
    partly_ = on;
}
void LineGrid::setStoredLineCount(int n) {
    stored_ = std::max(0, n);
}
void LineGrid::setFirstEditableStoredColumn(int col) {
    firstStoredCol_ = std::max(1, col);
}

bool LineGrid::lockedLine(int row) const {
    return partly_ && row >= 1 && row <= stored_;
}

int LineGrid::clampColumn(int row, int col) const {
    col = std::clamp(col, 1, typed_);
    if (lockedLine(row)) col = std::max(col, std::min(firstStoredCol_, typed_));
    return col;
}

// ---- Lines ----

void LineGrid::clearLines() {
    editRow_ = editCol_ = 0;
    edit_->hide();
    list_->hide();
    table_->setRowCount(0);
    stored_ = 0;
    emit linesChanged();
}

void LineGrid::addLine(const QStringList& cells) {
    const int r = table_->rowCount();
    table_->insertRow(r);
    writeCell(r + 1, 0, QString::number(r + 1));
    for (int c = 0; c < cells.size() && c + 1 < columnCount(); ++c) writeCell(r + 1, c + 1, cells[c]);
    emit linesChanged();
}

int LineGrid::lineCount() const {
    return table_->rowCount();
}

QString LineGrid::text(int row, int col) const {
    if (row < 1 || row > lineCount() || col < 0 || col >= columnCount()) return {};
    if (row == editRow_ && col == editCol_) return edit_->text();
    const QTableWidgetItem* it = table_->item(row - 1, col);
    return it ? it->text() : QString();
}

void LineGrid::writeCell(int row, int col, const QString& text) {
    QTableWidgetItem* it = table_->item(row - 1, col);
    if (!it) {
        it = new QTableWidgetItem;
        it->setFlags(it->flags() & ~Qt::ItemIsEditable);
        if (numericCols_.contains(col)) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(row - 1, col, it);
    }
    it->setText(text);
}

void LineGrid::setText(int row, int col, const QString& text) {
    if (row < 1 || row > lineCount() || col < 0 || col >= columnCount()) return;
    writeCell(row, col, text);
    if (row == editRow_ && col == editCol_) edit_->setText(text);
}

void LineGrid::setCellColor(int row, int col, const QColor& color) {
    if (row < 1 || row > lineCount() || col < 0 || col >= columnCount()) return;
    if (!table_->item(row - 1, col)) writeCell(row, col, QString());
    table_->item(row - 1, col)->setForeground(color);
}

QColor LineGrid::cellColor(int row, int col) const {
    const QTableWidgetItem* it = row >= 1 ? table_->item(row - 1, col) : nullptr;
    return it ? it->foreground().color() : QColor(Qt::black);
}

QString LineGrid::headingText(int col) const {
    const QTableWidgetItem* h = table_->horizontalHeaderItem(col);
    return h ? h->text() : QString();
}

bool LineGrid::lineFilled(int row) const {
    for (int c = 1; c <= typed_; ++c)
        if (!optionalCols_.contains(c) && text(row, c).trimmed().isEmpty()) return false;
    return true;
}

bool LineGrid::lineEmpty(int row) const {
    for (int c = 1; c <= typed_; ++c)
        if (!text(row, c).trimmed().isEmpty()) return false;
    return true;
}

void LineGrid::appendLine() {
    addLine({});
    placeEditor(lineCount(), 1);
}

void LineGrid::removeLastLine() {
    const int row = lineCount(), col = editCol_;
    editRow_ = editCol_ = 0;
    table_->removeRow(row - 1);
    emit linesChanged();
    if (row > 1) {
        placeEditor(row - 1, clampColumn(row - 1, col));
    } else {
        edit_->hide();
        list_->hide();
    }
}

// ---- The editor ----

void LineGrid::beginEdit(int row, int col) {
    if (lineCount() == 0) {
        addLine({});
        row = col = 1;
    }
    row = std::clamp(row, 1, lineCount());
    if (editRow_ > 0) commitEditor();
    placeEditor(row, clampColumn(row, col));
}

void LineGrid::commitEditor() {
    if (editRow_ < 1 || editRow_ > lineCount()) return;
    const QTableWidgetItem* it = table_->item(editRow_ - 1, editCol_);
    const QString was = it ? it->text() : QString();
    const QString now = edit_->text();
    if (now == was && it) return;
    writeCell(editRow_, editCol_, now);
    if (now != was) emit cellCommitted(editRow_, editCol_);
}

void LineGrid::hideEditor() {
    commitEditor();
    editRow_ = editCol_ = 0;
    edit_->hide();
    list_->hide();
}

void LineGrid::moveEditor(int row, int col) {
    commitEditor();
    placeEditor(row, clampColumn(row, col));
}

void LineGrid::fillItemDetails(int row) {
    if (codeCol_ < 0 || !itemByCode) return;
    const QString code = text(row, codeCol_).trimmed();
    if (code.isEmpty()) return;
    const bool needName = nameCol_ >= 0 && text(row, nameCol_).isEmpty();
    const bool needUnit = unitCol_ >= 0 && text(row, unitCol_).isEmpty();
    if (!needName && !needUnit) return;
    const std::optional<ItemInfo> info = itemByCode(code);
    if (!info) return;
    if (needName) writeCell(row, nameCol_, info->name);
    if (needUnit) writeCell(row, unitCol_, info->unit);
}

void LineGrid::placeEditor(int row, int col) {
    editRow_ = editCol_ = 0;  // so fillItemDetails reads the cells, not the old editor text
    list_->hide();
    fillItemDetails(row);
    table_->setCurrentCell(row - 1, col);
    table_->scrollTo(table_->model()->index(row - 1, col));
    const int maxLen = (col == codeCol_ || col == nameCol_) ? 100 : col == unitCol_ ? 5 : 10;
    edit_->setValidator(numericCols_.contains(col) ? numeric_ : nullptr);
    edit_->setAlignment(numericCols_.contains(col) ? Qt::AlignRight : Qt::AlignLeft);
    edit_->setMaxLength(maxLen);
    const QTableWidgetItem* it = table_->item(row - 1, col);
    edit_->setText(it ? it->text() : QString());
    edit_->selectAll();
    editRow_ = row;
    editCol_ = col;
    edit_->show();
    edit_->raise();
    if (col == codeCol_) {
        // The highlight only follows typing, so Enter on an untouched code keeps the line as it is.
        list_->setCurrentRow(-1);
        list_->clearSelection();
        list_->show();
        list_->raise();
    }
    placeGeometry();
    edit_->setFocus();
}

void LineGrid::placeGeometry() {
    if (editRow_ < 1) return;
    const QRect cell = table_->visualRect(table_->model()->index(editRow_ - 1, editCol_));
    edit_->setGeometry(cell);
    if (!list_->isVisible()) return;
    const QPoint below = table_->viewport()->mapTo(this, cell.bottomLeft() + QPoint(0, 1));
    const int rowH = std::max(list_->sizeHintForRow(0), list_->fontMetrics().height() + 2);
    const int h = std::min(rowH * kListRows + 2 * list_->frameWidth(),
                           std::max(height() - table_->horizontalHeader()->height(), 40));
    const int w = std::max(cell.width(), 160);
    int y = below.y();
    if (y + h > height() && below.y() - cell.height() - h >= 0) y = below.y() - cell.height() - h - 1;
    list_->setGeometry(below.x(), y, w, h);
}

void LineGrid::onTyped(const QString& typed) {
    if (cellLimit && editRow_ > 0) {
        const QString why = cellLimit(editRow_, editCol_, typed);
        if (!why.isEmpty()) {
            refuse(why);
            return;
        }
    }
    if (editCol_ != codeCol_ || !list_->isVisible()) return;
    if (!typed.isEmpty()) {
        for (int i = 0; i < list_->count(); ++i) {
            if (list_->item(i)->text().startsWith(typed, Qt::CaseInsensitive)) {
                list_->setCurrentRow(i);
                list_->scrollToItem(list_->item(i), QAbstractItemView::PositionAtTop);
                return;
            }
        }
    }
    list_->setCurrentRow(-1);
    list_->clearSelection();
}

bool LineGrid::listMatchesTyped() const {
    const QListWidgetItem* it = list_->currentItem();
    const QString typed = edit_->text();
    return it && it->isSelected() && !typed.isEmpty() && it->text().startsWith(typed, Qt::CaseInsensitive);
}

void LineGrid::chooseItem(const QString& code) {
    if (editRow_ < 1) return;
    const int row = editRow_;
    edit_->setText(code);
    commitEditor();
    const std::optional<ItemInfo> info = itemByCode ? itemByCode(code) : std::nullopt;
    if (info) {
        auto put = [&](int col, const QString& v) {
            if (col < 0 || col >= columnCount() || text(row, col) == v) return;
            writeCell(row, col, v);
            emit cellCommitted(row, col);
        };
        put(nameCol_, info->name);
        put(unitCol_, info->unit);
        if (proposeRateDiscount) {
            if (const auto rd = proposeRateDiscount(info->id)) {
                put(rateCol_, rd->first);
                put(discountCol_, rd->second);
            } else {
                // Nothing to go by: the rate is typed, the discount starts at none.
                put(discountCol_, QStringLiteral("0"));
            }
        }
        emit itemChosen(row, info->id);
    }
    // On to the first column the choice did not fill, normally the quantity.
    placeEditor(row, clampColumn(row, std::max({codeCol_, nameCol_, unitCol_}) + 1));
}

// ---- Keys and clicks ----

void LineGrid::refuse(const QString& why) {
    Dialogs::current().critical(appTitle(), why);
    // The wrong text stays to be typed over.
    edit_->setFocus();
    edit_->selectAll();
}

bool LineGrid::holdRefusedCell() {
    if (!cellLimit || editRow_ < 1) return false;
    const QString why = cellLimit(editRow_, editCol_, edit_->text());
    if (why.isEmpty()) return false;
    refuse(why);
    return true;
}

void LineGrid::tellMissing(int row) {
    int col = 1;
    while (col <= typed_ && !text(row, col).trimmed().isEmpty()) ++col;
    const QString msg = QStringLiteral("To add a new row, first fill %1 in row %2.")
                            .arg(headingText(std::min(col, typed_)).trimmed())
                            .arg(row);
    // The status line of the screen the grid is on.
    for (QWidget* p = parentWidget(); p; p = p->parentWidget()) {
        if (auto* status = p->findChild<QLabel*>(QStringLiteral("lblStatus"))) {
            status->setText(msg);
            break;
        }
        if (p->isWindow()) break;
    }
    emit notice(msg);
}

bool LineGrid::editorKey(int key) {
    const int row = editRow_, col = editCol_;
    const bool leaves = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up || key == Qt::Key_Down;
    if (leaves && holdRefusedCell()) return true;
    switch (key) {
        case Qt::Key_Left: {
            // A cell just arrived at has its whole text selected; that counts as the caret at 0.
            const bool atStart =
                edit_->hasSelectedText() ? edit_->selectedText() == edit_->text() : edit_->cursorPosition() == 0;
            if (!atStart) return false;
            if (holdRefusedCell()) return true;
            const int first = lockedLine(row) ? std::min(firstStoredCol_, typed_) : 1;
            if (col > first)
                moveEditor(row, col - 1);
            else if (first == 1 && row > 1)
                moveEditor(row - 1, typed_);
            return true;
        }
        case Qt::Key_Right: {
            const QString t = edit_->text();
            if (t.isEmpty() || edit_->cursorPosition() != t.size()) return false;
            if (holdRefusedCell()) return true;
            if (col < typed_)
                moveEditor(row, col + 1);
            else if (row < lineCount())
                moveEditor(row + 1, 1);
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (col == codeCol_ && list_->isVisible() && listMatchesTyped()) {
                chooseItem(list_->currentItem()->text());
                return true;
            }
            if (col < typed_) {
                moveEditor(row, col + 1);
                return true;
            }
            [[fallthrough]];
        case Qt::Key_Down:
            if (row < lineCount()) {
                moveEditor(row + 1, col);
            } else {
                commitEditor();
                if (lineFilled(row))
                    appendLine();
                else
                    tellMissing(row);
            }
            return true;
        case Qt::Key_Up:
            if (row < lineCount()) {
                if (row > 1) moveEditor(row - 1, col);
                return true;
            }
            commitEditor();
            if (!lockedLine(row) && lineEmpty(row))
                removeLastLine();
            else if (row > 1)
                moveEditor(row - 1, col);
            return true;
        default:
            return false;
    }
}

void LineGrid::clickAt(const QPoint& pos) {
    const QModelIndex idx = table_->indexAt(pos);
    const int row = idx.isValid() ? idx.row() + 1 : 0;
    const int col = idx.isValid() ? idx.column() : 1;
    if (!editable_) {
        emit modifyRequested(row, col);
        return;
    }
    if (row > 0 && (row != editRow_ || col != editCol_) && holdRefusedCell()) return;
    if (lineCount() == 0)
        beginEdit(1, 1);
    else if (row > 0)
        beginEdit(row, col);
}

bool LineGrid::eventFilter(QObject* watched, QEvent* e) {
    if (watched == edit_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        return editorKey(k->key());
    }
    if (watched == edit_ && e->type() == QEvent::FocusOut) {
        // Leaving for a button of the screen: what was typed must be in the cell when it acts.
        if (QApplication::focusWidget() != list_) commitEditor();
        return false;
    }
    if (watched == list_ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list_->currentItem()) {
            chooseItem(list_->currentItem()->text());
            return true;
        }
        if (key == Qt::Key_Escape) {
            edit_->setFocus();
            return true;
        }
        return false;
    }
    if (watched == table_->viewport()) {
        switch (e->type()) {
            case QEvent::MouseButtonPress: {
                auto* m = static_cast<QMouseEvent*>(e);
                if (m->button() == Qt::LeftButton) clickAt(m->position().toPoint());
                return true;
            }
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
                // The table only shows; selection and focus stay with the editor.
                return true;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void LineGrid::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    refreshItemCodes();
    placeGeometry();
}

void LineGrid::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    placeGeometry();
}

}  // namespace kavra
