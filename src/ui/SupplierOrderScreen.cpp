#include "ui/SupplierOrderScreen.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

#include "ui/Widgets.h"

namespace kavra {

SupplierOrderScreen::SupplierOrderScreen(const QString& screenName, const chain::OrderKind& kind,
                                         OrderScreenTexts texts)
    : OrderScreen(screenName, kind, std::move(texts)) {
    QWidget* box = headerBox_;
    QGridLayout* g = headerGrid();
    rtbAddr_->setReadOnly(true);
    for (QLineEdit* e : {txtCST_, txtTinNo_}) showOnly(e);

    txtPrefix_ = new QLineEdit(box);
    txtPrefix_->setObjectName(QStringLiteral("txtPrefix"));
    txtPrefix_->setMaximumWidth(90);
    showOnly(txtPrefix_);
    g->removeWidget(txtPOno_);
    auto* number = new QHBoxLayout;
    number->addWidget(txtPrefix_);
    number->addWidget(txtPOno_, 1);
    g->addLayout(number, 1, 3);

    cmbKindAttn_ = new QComboBox(box);
    cmbKindAttn_->setObjectName(QStringLiteral("cmbKindAttn"));
    cmbKindAttn_->setEditable(true);
    cmbKindAttn_->setInsertPolicy(QComboBox::NoInsert);
    cmbKindAttn_->lineEdit()->setMaxLength(250);
    g->addWidget(makeCaption(box, QStringLiteral("KIND ATTN:"), cmbKindAttn_), 4, 2);
    g->addWidget(cmbKindAttn_, 4, 3);

    rtbTerms_ = new QTextEdit(box);
    rtbTerms_->setObjectName(QStringLiteral("rtbTerms"));
    rtbTerms_->setAcceptRichText(false);
    rtbTerms_->setTabChangesFocus(true);
    rtbTerms_->setToolTip(QStringLiteral("Enter   'Terms and Conditions'"));
    rtbTerms_->setFixedHeight(rtbTerms_->fontMetrics().lineSpacing() * 4 + 12);
}

void SupplierOrderScreen::placeTerms(int termsRow) {
    QGridLayout* g = headerGrid();
    g->addWidget(makeCaption(headerBox_, QStringLiteral("Enter Terms and Conditions Below:"), rtbTerms_), termsRow, 0,
                 1, 4);
    g->addWidget(rtbTerms_, termsRow + 1, 0, 1, 4);
}

void SupplierOrderScreen::showContacts(const QStringList& contacts) {
    const QString typed = cmbKindAttn_->currentText();
    cmbKindAttn_->clear();
    cmbKindAttn_->addItems(contacts);
    cmbKindAttn_->setEditText(typed);
}

void SupplierOrderScreen::showDetails(qint64 party, const QString& kindAttn) {
    const chain::Orders::PartyDetails d = chain::Orders::partyDetails(prod().db(), kind_, party);
    rtbAddr_->setPlainText(d.address);
    txtCST_->setText(d.cst);
    txtTinNo_->setText(d.kst);
    cmbKindAttn_->setEditText(kindAttn);
    showContacts(d.contacts);
}

void SupplierOrderScreen::showSupplier(qint64 party, const QString& kindAttn, const QString& terms) {
    showDetails(party, QString());
    cmbKindAttn_->setEditText(kindAttn);
    rtbTerms_->setPlainText(terms);
}

void SupplierOrderScreen::clearSupplier() {
    cmbKindAttn_->clear();
    cmbKindAttn_->setEditText(QString());
    rtbTerms_->clear();
}

void SupplierOrderScreen::showPrefix(const QString& prefix) {
    txtPrefix_->setText(prefix);
}

void SupplierOrderScreen::customerChosen() {
    if (partyId() == 0) return;
    tryDb([&] {
        showDetails(partyId(), cmbKindAttn_->currentText());
        rtbTerms_->setPlainText(chain::Orders::latestTerms(prod().db(), kind_, partyId()));
    });
}

}  // namespace kavra
