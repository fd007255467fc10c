#include "ui/Help.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/Widgets.h"

namespace kavra::Help {

namespace {

// The pages of the screens; several screens may share one.
const QHash<QString, QString>& topics() {
    static const QHash<QString, QString> t = {
        {QStringLiteral("frmcustomer"), QStringLiteral("MasGenCust.htm")},
        {QStringLiteral("frmsupplier"), QStringLiteral("MasGenSupp.htm")},
        {QStringLiteral("frmvendor"), QStringLiteral("MasGenVend.htm")},
        {QStringLiteral("frmitem"), QStringLiteral("MasInvItem.htm")},
        {QStringLiteral("frmcategory"), QStringLiteral("MasInvcat.htm")},
        {QStringLiteral("frmmeasure"), QStringLiteral("MasInvUnit.htm")},
        {QStringLiteral("frmmisc"), QStringLiteral("MasMisc.htm")},
        {QStringLiteral("frmmiscmore"), QStringLiteral("MasMisc.htm")},
        {QStringLiteral("frmcolheadingpr"), QStringLiteral("MasHRSalHead.htm")},
        {QStringLiteral("frmuserentry"), QStringLiteral("MasAdminUser.htm")},
        {QStringLiteral("frmuserrights"), QStringLiteral("MasAdminRights.htm")},
        {QStringLiteral("frmviewimpsys"), QStringLiteral("MasAdminStatus.htm")},
        {QStringLiteral("frmviewuserscreens"), QStringLiteral("MasAdminStatus.htm")},
        {QStringLiteral("frmmfgpo"), QStringLiteral("TransMFgPO.htm")},
        {QStringLiteral("frmdc"), QStringLiteral("TransMfgDC.htm")},
        {QStringLiteral("frminvoice"), QStringLiteral("TransMfgInv.htm")},
        {QStringLiteral("frmponochng"), QStringLiteral("TransPONoChng.htm")},
        {QStringLiteral("frmlabourpo"), QStringLiteral("TransLabPO.htm")},
        {QStringLiteral("frmpurchasepo"), QStringLiteral("TransPurchPO.htm")},
        {QStringLiteral("frmdcincoming"), QStringLiteral("TransLabDCIn.htm")},
        {QStringLiteral("frmdcoutgoing"), QStringLiteral("TransLabDCOut.htm")},
        {QStringLiteral("frminvoicel"), QStringLiteral("TransLabInv.htm")},
        {QStringLiteral("frmform39_dc_mfg"), QStringLiteral("TransMiniVat515.htm")},
        {QStringLiteral("frmform39_dc_lab"), QStringLiteral("TransMiniVat515.htm")},
        {QStringLiteral("frmpurchase"), QStringLiteral("TransPurchBill.htm")},
        {QStringLiteral("frmreceipts"), QStringLiteral("TransCFReceipt.htm")},
        {QStringLiteral("frmpayments"), QStringLiteral("TransCFPay.htm")},
        {QStringLiteral("frminvoiceservout"), QStringLiteral("TransServInv.htm")},
        {QStringLiteral("frminvoiceservin"), QStringLiteral("TransServInv.htm")},
        {QStringLiteral("frmsubconpo"), QStringLiteral("TransSubConPOOut.htm")},
        {QStringLiteral("frmdcsubconout"), QStringLiteral("TransSubConDCout.htm")},
        {QStringLiteral("frmdcsubconin"), QStringLiteral("TransSubConDcIn.htm")},
        {QStringLiteral("frminvoicesc"), QStringLiteral("TransSubConInv.htm")},
        {QStringLiteral("frmform39_sc_dc_out"), QStringLiteral("TransMiniVat515.htm")},
        {QStringLiteral("frmbanks"), QStringLiteral("MasCHBanks.htm")},
        {QStringLiteral("frmbanktrans"), QStringLiteral("TransCFBankTrans.htm")},
        {QStringLiteral("frmincome"), QStringLiteral("MasAcctHeads.htm")},
        {QStringLiteral("frmexpense"), QStringLiteral("MasAcctHeads.htm")},
        {QStringLiteral("frmstn"), QStringLiteral("TransInvSTN.htm")},
        {QStringLiteral("frmstockissue"), QStringLiteral("TransInvIss.htm")},
        {QStringLiteral("frmmachine"), QStringLiteral("MasGenMachine.htm")},
        {QStringLiteral("frmstaff"), QStringLiteral("MasHRStaff.htm")},
        {QStringLiteral("frmmaintain"), QStringLiteral("TransMaintSch.htm")},
        {QStringLiteral("frmmaintainpro"), QStringLiteral("TransMaintPro.htm")},
        {QStringLiteral("frmbrkdnmaint"), QStringLiteral("TransBrkDn.htm")},
        {QStringLiteral("frmview_gpl_npl"), QStringLiteral("ViewGPL.htm")},
        {QStringLiteral("frmcalibrate"), QStringLiteral("QualCalibrate.htm")},
        {QStringLiteral("frmcalibratedue"), QStringLiteral("QualCalibrate.htm")},
    };
    return t;
}

class HelpWindow : public QWidget {
  public:
    HelpWindow() {
        setObjectName(QStringLiteral("frmHelp"));
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(QStringLiteral("Kavra - Help"));
        browser_ = new QTextBrowser(this);
        browser_->setObjectName(QStringLiteral("txtHelp"));
        browser_->setOpenLinks(true);
        browser_->setSearchPaths({folder()});
        auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
        contents->setObjectName(QStringLiteral("cmdContents"));
        auto* back = new QPushButton(QStringLiteral("&Back"), this);
        back->setObjectName(QStringLiteral("cmdBack"));
        auto* close = new QPushButton(QStringLiteral("C&lose"), this);
        close->setObjectName(QStringLiteral("cmdClose"));
        connect(contents, &QPushButton::clicked, this, [this] { open(contentsTopic()); });
        connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
        connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
        connect(close, &QPushButton::clicked, this, &QWidget::close);
        back->setEnabled(false);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(contents);
        buttons->addWidget(back);
        buttons->addStretch();
        buttons->addWidget(close);
        auto* v = new QVBoxLayout(this);
        v->addWidget(browser_, 1);
        v->addLayout(buttons);
        fitOnScreen(this, QSize(720, 640));
    }

    void open(const QString& topic) {
        const QString path = folder() + QLatin1Char('/') + topic;
        if (QFileInfo::exists(path)) {
            browser_->setSource(QUrl::fromLocalFile(path));
        } else {
            browser_->setHtml(QStringLiteral("<h2>No help page</h2><p>The page <b>%1</b> is not installed in "
                                             "<tt>%2</tt>.</p><p><a href=\"%3\">Contents</a></p>")
                                  .arg(topic.toHtmlEscaped(), folder().toHtmlEscaped(), contentsTopic()));
        }
    }

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        // Closes as every screen does.
        if (e->key() == Qt::Key_Escape) {
            close();
            return;
        }
        QWidget::keyPressEvent(e);
    }

  private:
    QTextBrowser* browser_;
};

QPointer<HelpWindow>& current() {
    static QPointer<HelpWindow> w;
    return w;
}

}  // namespace

QString topicOf(const QString& screenName) {
    return topics().value(screenName.toLower(), contentsTopic());
}

QString contentsTopic() {
    return QStringLiteral("index.htm");
}

QString folder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Help");
}

QWidget* show(const QString& topicFile) {
    if (!current()) current() = new HelpWindow;
    current()->open(topicFile);
    current()->show();
    current()->raise();
    current()->activateWindow();
    return current();
}

}  // namespace kavra::Help
