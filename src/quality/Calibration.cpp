#include "quality/Calibration.h"

#include <QSqlQuery>

#include "core/Sql.h"

namespace kavra::Calibration {

namespace {

QString blankIfEmpty(const QString& s) {
    return s.trimmed().isEmpty() ? QStringLiteral(" ") : s.trimmed();
}

const QString kInstrumentColumns = QStringLiteral("Id, ItemId, InsGaugeId, Freq, Range, LC, OtherDet, NextCalibrate");

Instrument readInstrument(const QSqlQuery& q) {
    Instrument in;
    Sql::readRow(q, in.id, in.itemId, Sql::trimmed(in.uniqueNo), Sql::trimmed(in.freq), Sql::trimmed(in.range),
                 Sql::trimmed(in.leastCount), Sql::trimmed(in.otherDet), in.nextCalibrate);
    return in;
}

}  // namespace

QList<ItemChoice> instrumentItems(QSqlDatabase& db) {
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select ItemId, ItemCode from Item where CategoryCode=? order by ItemCode"),
                  {kInstrumentCategory});
    QList<ItemChoice> out;
    while (q.next()) out.push_back({q.value(0).toLongLong(), q.value(1).toString().trimmed()});
    return out;
}

QList<Instrument> piecesOf(QSqlDatabase& db, qint64 itemId) {
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select %1 from Calibrate where ItemId=? order by InsGaugeId").arg(kInstrumentColumns),
        {itemId});
    QList<Instrument> out;
    while (q.next()) out.push_back(readInstrument(q));
    return out;
}

std::optional<Instrument> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q = Sql::exec(db, QStringLiteral("select %1 from Calibrate where Id=?").arg(kInstrumentColumns), {id});
    if (!q.next()) return std::nullopt;
    return readInstrument(q);
}

qint64 proposedId(QSqlDatabase& db) {
    return Sql::proposedId(db, QStringLiteral("Calibrate"), QStringLiteral("Id"));
}

Check validate(QSqlDatabase& db, const Instrument& in, bool adding) {
    if (in.itemId <= 0)
        return Refusal::at(QStringLiteral("cmbInsGauge"), QStringLiteral("Please select an Instrument....."));
    if (in.uniqueNo.trimmed().isEmpty())
        return Refusal::at(QStringLiteral("cmbInsGaugeIDno"),
                           QStringLiteral("Please Enter the Unique Identification No. of Instrument/Gauge....."));
    // Two pieces of one instrument cannot share a number (compared without regard to case).
    if (Sql::any(db, QStringLiteral("select 1 from Calibrate where ItemId=? and InsGaugeId=? and Id<>?"),
                 {in.itemId, in.uniqueNo.trimmed(), adding ? 0 : in.id}))
        return Refusal::at(QStringLiteral("cmbInsGaugeIDno"),
                           QStringLiteral("An Entry Already Exists... Try Another!"));
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, const Instrument& in, bool adding) {
    enforce(validate(db, in, adding));
    qint64 id = in.id;
    const QVariantList values{in.itemId,
                              in.uniqueNo.trimmed(),
                              blankIfEmpty(in.freq),
                              blankIfEmpty(in.range),
                              blankIfEmpty(in.leastCount),
                              blankIfEmpty(in.otherDet),
                              Db::day(in.nextCalibrate)};
    if (adding) {
        if (id <= 0 || Sql::any(db, QStringLiteral("select 1 from Calibrate where Id=?"), {id}))
            id = Sql::nextId(db, QStringLiteral("Calibrate"), QStringLiteral("Id"));
        Sql::exec(db,
                  QStringLiteral("insert into Calibrate (ItemId, InsGaugeId, Freq, Range, LC, OtherDet, NextCalibrate, "
                                 "Id) values (?,?,?,?,?,?,?,?)"),
                  values + QVariantList{id});
    } else {
        Sql::exec(db,
                  QStringLiteral("update Calibrate set ItemId=?, InsGaugeId=?, Freq=?, Range=?, LC=?, OtherDet=?, "
                                 "NextCalibrate=? where Id=?"),
                  values + QVariantList{id});
    }
    return id;
}

Check deleteBlock(QSqlDatabase& db, qint64 id) {
    if (Sql::any(db, QStringLiteral("select 1 from CalibrateRep where Id=?"), {id}))
        return Refusal::message(
            QStringLiteral("You cannot delete this Record since it has some Calibration Reports already!!!"));
    return std::nullopt;
}

void remove(QSqlDatabase& db, qint64 id) {
    enforce(deleteBlock(db, id));
    Sql::exec(db, QStringLiteral("delete from Calibrate where Id=?"), {id});
}

qint64 proposedReportId(QSqlDatabase& db) {
    return Sql::proposedId(db, QStringLiteral("CalibrateRep"), QStringLiteral("CalibRepId"));
}

Check validateReport(const Report& r) {
    if (r.instrumentId <= 0)
        return Refusal::at(QStringLiteral("cmbInsGauge"),
                           QStringLiteral("To record the Calibration Details, Corresponding Instrument/Gauge Name and "
                                          "its Unique Identification No. should be selected.!!!"));
    if (r.number.trimmed().isEmpty())
        return Refusal::at(QStringLiteral("txtCalibrateNo"),
                           QStringLiteral("Please Enter the Calibration Report Number....."));
    return std::nullopt;
}

qint64 saveReport(QSqlDatabase& db, const Report& r) {
    enforce(validateReport(r));
    // The instrument may have gone at another desk since it was chosen.
    if (!Sql::any(db, QStringLiteral("select 1 from Calibrate where Id=?"), {r.instrumentId}))
        enforce(validateReport(Report{}));
    qint64 id = r.id;
    if (id <= 0 || Sql::any(db, QStringLiteral("select 1 from CalibrateRep where CalibRepId=?"), {id}))
        id = Sql::nextId(db, QStringLiteral("CalibrateRep"), QStringLiteral("CalibRepId"));
    Sql::exec(db,
              QStringLiteral("insert into CalibrateRep (Id, CalibRepId, ExpectedCalibrate, DOC, CalibrateNo, "
                             "CalibrateStat, Authorised, CalibrateDet) values (?,?,?,?,?,?,?,?)"),
              {r.instrumentId, id, Db::day(r.expected), Db::day(r.done), r.number.trimmed(), blankIfEmpty(r.status),
               blankIfEmpty(r.authorised), blankIfEmpty(r.details)});
    return id;
}

void removeReport(QSqlDatabase& db, qint64 reportId) {
    Sql::exec(db, QStringLiteral("delete from CalibrateRep where CalibRepId=?"), {reportId});
}

QList<HistoryRow> history(QSqlDatabase& db, qint64 itemId) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select r.Id, r.CalibRepId, r.ExpectedCalibrate, r.DOC, r.CalibrateNo, "
                                           "r.CalibrateStat, r.Authorised, r.CalibrateDet, i.ItemCode, c.InsGaugeId "
                                           "from CalibrateRep r join Calibrate c on c.Id=r.Id join Item i on "
                                           "i.ItemId=c.ItemId where c.ItemId=? order by r.CalibRepId"),
                            {itemId});
    QList<HistoryRow> out;
    while (q.next()) {
        HistoryRow h;
        Report& r = h.report;
        Sql::readRow(q, r.instrumentId, r.id, r.expected, r.done, Sql::trimmed(r.number), Sql::trimmed(r.status),
                     Sql::trimmed(r.authorised), Sql::trimmed(r.details), Sql::trimmed(h.itemCode),
                     Sql::trimmed(h.uniqueNo));
        out.push_back(h);
    }
    return out;
}

QString historyRefusal(QSqlDatabase& db, qint64 itemId) {
    if (itemId <= 0) return QStringLiteral("To View the Calibration Details,  select Instrument/Gauges Name First!!!");
    if (!Sql::any(db, QStringLiteral("select 1 from CalibrateRep r join Calibrate c on c.Id=r.Id where c.ItemId=?"),
                  {itemId}))
        return QStringLiteral("No History available with this instrument/gauge you selected!!!");
    return {};
}

int daysLeft(const QDate& today, const QDate& next) {
    return int(today.daysTo(next));
}

QString dueBy(const QDate& today, const QDate& next) {
    const int left = daysLeft(today, next);
    if (left < 0) return QStringLiteral("Immediate ");
    if (left == 0) return QStringLiteral("Today");
    if (left <= 7) return QStringLiteral("Within a Week");
    if (next.year() == today.year() && next.month() == today.month()) return QStringLiteral("With this Month");
    const QDate following = QDate(today.year(), today.month(), 1).addMonths(1);
    if (next.year() == following.year() && next.month() == following.month()) return QStringLiteral("Next Month");
    return QStringLiteral("Future Months");
}

bool inWindow(const QDate& today, const QDate& next, DueWindow w) {
    // today > next - before and today < next + crossed, both strict.
    return next.isValid() && next < today.addDays(w.before) && next > today.addDays(-w.crossed);
}

QList<DueRow> dueList(QSqlDatabase& db, const QDate& today, DueWindow w) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select c.Id, i.ItemCode, i.ItemName, c.InsGaugeId, c.NextCalibrate from "
                                           "Calibrate c left join Item i on i.ItemId=c.ItemId where "
                                           "c.NextCalibrate<? and c.NextCalibrate>? order by c.NextCalibrate, c.Id"),
                            {Db::day(today.addDays(w.before)), Db::day(today.addDays(-w.crossed))});
    QList<DueRow> out;
    while (q.next()) {
        DueRow r;
        QString code, name;
        Sql::readRow(q, r.id, Sql::trimmed(code), Sql::trimmed(name), Sql::trimmed(r.uniqueNo), r.dueOn);
        r.item = code + QLatin1Char('(') + name + QLatin1Char(')');
        r.daysLeft = daysLeft(today, r.dueOn);
        r.dueBy = dueBy(today, r.dueOn);
        out.push_back(r);
    }
    return out;
}

bool anyDue(QSqlDatabase& db, const QDate& today, DueWindow w) {
    return Sql::any(db, QStringLiteral("select 1 from Calibrate where NextCalibrate<? and NextCalibrate>?"),
                    {Db::day(today.addDays(w.before)), Db::day(today.addDays(-w.crossed))});
}

QString dueTitle(const QDate& today, DueWindow w) {
    return QStringLiteral("List of Instruments and Gauges Due as on ") + today.toString(QStringLiteral("dd/MM/yyyy")) +
           QStringLiteral("Due before ") + QString::number(w.before) + QStringLiteral(" days ") +
           QStringLiteral("    AND     Due date Crossed upto ") + QString::number(w.crossed) + QStringLiteral(" days");
}

}  // namespace kavra::Calibration
