#include "core/forms/FrmLogin.h"

#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>

#include "core/Db.h"

namespace kavra {

namespace {

// Names are typed in capitals: letters, digits and blanks only.
class UserNameValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        static const QRegularExpression ok(QStringLiteral("^[A-Z0-9 ]*$"));
        return ok.match(input).hasMatch() ? Acceptable : Invalid;
    }
};

}  // namespace

FrmLogin::FrmLogin(QWidget* parent) : QWidget(parent), ws_(Login::localWorkstation()), locale_(QLocale()) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Kavra - Login"));

    auto* title = new QLabel(QStringLiteral("Kavra"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont tf = title->font();
    tf.setPointSize(tf.pointSize() + 10);
    tf.setBold(true);
    title->setFont(tf);
    title->setAlignment(Qt::AlignCenter);
    auto* sub = new QLabel(QStringLiteral("Business management for manufacturing and job work"), this);
    sub->setAlignment(Qt::AlignCenter);

    cmbUserName_ = new QComboBox(this);
    cmbUserName_->setObjectName(QStringLiteral("cmbUserName"));
    cmbUserName_->setEditable(true);
    cmbUserName_->setInsertPolicy(QComboBox::NoInsert);
    cmbUserName_->lineEdit()->setValidator(new UserNameValidator(cmbUserName_));
    cmbUserName_->lineEdit()->setObjectName(QStringLiteral("cmbUserNameEdit"));
    txtPassword_ = new QLineEdit(this);
    txtPassword_->setObjectName(QStringLiteral("txtPassword"));
    txtPassword_->setEchoMode(QLineEdit::Password);
    cmbAccYears_ = new QComboBox(this);
    cmbAccYears_->setObjectName(QStringLiteral("cmbAccYears"));
    cmdLogin_ = new QPushButton(QStringLiteral("Login"), this);
    cmdLogin_->setObjectName(QStringLiteral("cmdLogin"));
    cmdLogin_->setDefault(true);
    lblWorkstation_ = new QLabel(this);
    lblWorkstation_->setObjectName(QStringLiteral("lblWorkstation"));
    lblWorkstation_->setAlignment(Qt::AlignCenter);
    lblWorkstation_->setStyleSheet(QStringLiteral("color: #555;"));

    lblWait_ = new QLabel(this);
    lblWait_->setObjectName(QStringLiteral("lblWait"));
    lblWait_->setAlignment(Qt::AlignCenter);
    lblWait_->setStyleSheet(QStringLiteral("color: #a00;"));
    lblWait_->hide();

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    auto* lu = new QLabel(QStringLiteral("&User Name:"), this);
    lu->setBuddy(cmbUserName_);
    auto* lp = new QLabel(QStringLiteral("&Password:"), this);
    lp->setBuddy(txtPassword_);
    auto* ly = new QLabel(QStringLiteral("Financial &Year:"), this);
    ly->setBuddy(cmbAccYears_);
    form->addRow(ly, cmbAccYears_);
    form->addRow(lu, cmbUserName_);
    form->addRow(lp, txtPassword_);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(36, 24, 36, 20);
    box->setSpacing(12);
    box->addWidget(title);
    box->addWidget(sub);
    box->addSpacing(8);
    box->addLayout(form);
    box->addWidget(cmdLogin_, 0, Qt::AlignRight);
    box->addWidget(lblWait_);
    box->addWidget(lblWorkstation_);
    setMinimumWidth(440);

    for (QWidget* w :
         {static_cast<QWidget*>(cmbUserName_), static_cast<QWidget*>(cmbUserName_->lineEdit()),
          static_cast<QWidget*>(txtPassword_), static_cast<QWidget*>(cmbAccYears_), static_cast<QWidget*>(cmdLogin_)})
        w->installEventFilter(this);
    connect(cmdLogin_, &QPushButton::clicked, this, &FrmLogin::login);
    connect(cmbAccYears_, &QComboBox::currentIndexChanged, this, [this](int) {
        if (!filling_ && !ended_ && !openChosenYear()) endProgram();
    });
}

FrmLogin::~FrmLogin() = default;

void FrmLogin::endProgram() {
    ended_ = true;
    prod_.CloseCompanyDatabase();
    close();
    emit programEnded();
}

bool FrmLogin::start() {
    Dialogs& dlg = Dialogs::current();
    const QDate today = Clock::today();
    if (!dlg.question(QStringLiteral("SYSTEM DATE"), Login::clockQuestion(today), false)) {
        dlg.critical(QStringLiteral("DATE INCORRECT"),
                     QStringLiteral("Please Change the System Date and Log Again !!!"));
        endProgram();
        return false;
    }
    const QString err = prod_.OpenStartDatabase();
    if (!err.isEmpty()) {
        dlg.critical(appTitle(), err);
        endProgram();
        return false;
    }
    try {
        const int y = clsProd::FinancialYearOf(today);
        if (Login::latestMinYear(prod_.db()) != y)
            dlg.information(QStringLiteral("Kavra SOFTWARE - ALERT"), Login::newYearAlert(y));
        filling_ = true;
        cmbAccYears_->clear();
        cmbAccYears_->addItems(Login::yearLabels(prod_.db()));
        const QString cur = Login::currentYearLabel(prod_.db());
        cmbAccYears_->setCurrentIndex(cmbAccYears_->findText(cur));
        filling_ = false;
        if (!cur.isEmpty()) currentYearDb_ = Login::companyDbOfLabel(cur);
    } catch (const DbError& e) {
        filling_ = false;
        dlg.critical(appTitle(), e.text());
        endProgram();
        return false;
    }
    prod_.CloseStartDatabase();

    const QString fmt = Login::dateFormatProblem(locale_, today);
    if (!fmt.isEmpty()) {
        dlg.critical(appTitle(), fmt);
        endProgram();
        return false;
    }
    if (!openChosenYear()) {
        endProgram();
        return false;
    }
    return true;
}

bool FrmLogin::openChosenYear() {
    Dialogs& dlg = Dialogs::current();
    Session& s = Session::current();
    const QString label = cmbAccYears_->currentText();
    if (label.isEmpty()) return true;
    s.companyDb = Login::companyDbOfLabel(label);
    const QString err = prod_.OpenCompanyDatabase();
    if (!err.isEmpty()) {
        dlg.critical(appTitle(), err);
        return false;
    }
    try {
        if (!currentYearDb_.isEmpty() && s.companyDb.compare(currentYearDb_, Qt::CaseInsensitive) != 0) {
            clsProd start;
            if (start.OpenStartDatabase().isEmpty()) Login::makeCurrent(start.db(), s.companyYear());
            currentYearDb_ = s.companyDb;
        }
        s.sysId = Login::registerWorkstation(prod_.db(), ws_, Clock::now());
        // A second copy on this workstation would share its identity and so its locks: it is
        // refused for as long as the first one runs, which the workstation's hold shows.
        s.presence.reset();
        s.presence = std::make_shared<Db::Presence>(s.companyDb);
        if (!s.presence->claimDesk(s.sysId)) {
            s.presence.reset();
            dlg.information(appTitle(), QStringLiteral("Kavra is already running on this workstation."));
            return false;
        }
        prod_.ReleaseAllScreens(dlg);
        const QString typed = cmbUserName_->currentText();
        cmbUserName_->clear();
        cmbUserName_->addItems(Login::userNames(prod_.db()));
        cmbUserName_->setCurrentIndex(-1);
        cmbUserName_->setEditText(typed);
        lblWorkstation_->setText(QStringLiteral("Workstation: %1 (%2)").arg(ws_.host, ws_.ip));
        if (auto last = Login::clockBehindLastLogin(prod_.db(), Clock::now())) {
            dlg.critical(QStringLiteral("LOGIN FAILED"), Login::clockBehindMessage(*last));
            return false;
        }
    } catch (const DbError& e) {
        dlg.critical(appTitle(), e.text());
        return false;
    }
    return true;
}

void FrmLogin::login() {
    if (!cmdLogin_->isEnabled()) return;  // still waiting after wrong tries
    Dialogs& dlg = Dialogs::current();
    Session& s = Session::current();
    if (cmbAccYears_->currentIndex() < 0) {
        dlg.critical(appTitle(), QStringLiteral("select a Financial Year from the list..."));
        cmbAccYears_->setFocus();
        return;
    }
    const QString label = cmbAccYears_->currentText();
    if (Login::minYearOfLabel(label) < clsProd::FinancialYearOf(Clock::today())) {
        const bool yes = dlg.question(QStringLiteral("'Kavra'"),
                                      QStringLiteral("YOU TRY TO OPEN THE PREVIOUS YEAR DATA  (") + label +
                                          QStringLiteral(") !!! \n\nPress 'Yes' to continue, 'No' to continue with "
                                                         "current year"),
                                      true);
        if (!yes) {
            cmbAccYears_->setCurrentIndex(cmbAccYears_->count() - 1);
            if (ended_) return;
        }
    }
    try {
        const QString name = cmbUserName_->currentText().trimmed();
        qint64 uid = 0;
        if (auto refusal = Login::checkCredentials(prod_.db(), name, txtPassword_->text(), &uid)) {
            refused(*refusal, name);
            return;
        }
        failures_ = 0;
        s.userId = uid;
        s.userName = name;
        s.logId = Login::recordLogin(prod_.db(), uid, Clock::now());
    } catch (const DbError& e) {
        prod_.LogFailure(e, objectName(), QStringLiteral("cmdLogin"));
        dlg.critical(appTitle(), e.text());
        return;
    }
    prod_.CloseCompanyDatabase();
    close();
    emit loggedIn();
}

void FrmLogin::refused(const Login::Refusal& r, const QString& name) {
    Dialogs::current().message(r.title, r.text, r.icon);
    try {
        Login::recordFailure(prod_.db(), name, ws_, r, Clock::now());
    } catch (const DbError&) {
        // The note is best effort; the refusal itself has been shown.
    }
    if (r.focus == Login::Refusal::Name) {
        cmbUserName_->setFocus();
    } else {
        txtPassword_->setFocus();
        txtPassword_->selectAll();
    }
    const int wait = Login::delayAfterFailures(++failures_);
    if (wait <= 0) return;
    // The screen stays usable (End still closes it); only another try waits.
    cmdLogin_->setEnabled(false);
    txtPassword_->setReadOnly(true);
    lblWait_->setText(QStringLiteral("Too many wrong tries: wait %1 seconds before the next one.").arg(wait / 1000));
    lblWait_->show();
    QTimer::singleShot(wait, this, [this] {
        cmdLogin_->setEnabled(true);
        txtPassword_->setReadOnly(false);
        lblWait_->hide();
        txtPassword_->setFocus();
        txtPassword_->selectAll();
    });
}

bool FrmLogin::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QWidget::eventFilter(o, e);
    auto* k = static_cast<QKeyEvent*>(e);
    const bool inName = o == cmbUserName_ || o == cmbUserName_->lineEdit();
    if (k->key() == Qt::Key_End && (inName || o == cmbAccYears_ || o == cmdLogin_)) {
        endProgram();
        return true;
    }
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        if (inName) {
            if (!cmbUserName_->currentText().isEmpty()) txtPassword_->setFocus();
            return true;
        }
        if (o == txtPassword_) {
            login();
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

}  // namespace kavra
