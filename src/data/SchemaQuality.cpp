#include "data/SchemaParts.h"

namespace kavra::data {

// Instruments and their calibration reports; machines, their maintenance schedules, the
// jobs recorded against them and their breakdowns. Breakdown amounts in paise.
QStringList qualityAndUpkeepSchema() {
    QStringList m;
    // The placeholder the reminder read grows into the instrument table; its rows keep their
    // identifier and date, the name becoming the identification number.
    m << "ALTER TABLE Calibrate ADD COLUMN ItemId BIGINT NOT NULL DEFAULT 0"
      << "ALTER TABLE Calibrate ADD COLUMN InsGaugeId {NAME}"
      << "ALTER TABLE Calibrate ADD COLUMN Freq TEXT"
      << "ALTER TABLE Calibrate ADD COLUMN Range TEXT"
      << "ALTER TABLE Calibrate ADD COLUMN LC TEXT"
      << "ALTER TABLE Calibrate ADD COLUMN OtherDet TEXT"
      << "UPDATE Calibrate SET InsGaugeId=InstName"
      << "ALTER TABLE Calibrate DROP COLUMN InstName"
      << "CREATE UNIQUE INDEX ix_Calibrate_Piece ON Calibrate (ItemId, InsGaugeId)"
      << "CREATE INDEX ix_Calibrate_Next ON Calibrate (NextCalibrate)"
      << "CREATE TABLE CalibrateRep (CalibRepId BIGINT PRIMARY KEY, Id BIGINT NOT NULL, ExpectedCalibrate DATE, "
         "DOC DATE, CalibrateNo TEXT, CalibrateStat TEXT, Authorised TEXT, CalibrateDet TEXT)"
      << "CREATE INDEX ix_CalibrateRep_Id ON CalibrateRep (Id)";
    // Category 5 holds the instruments; the goods it held until now get a category of their own.
    m << "UPDATE Category SET CategoryName='INSTRUMENTS & GAUGES', CategoryDesc='Measuring instruments and gauges' "
         "WHERE CategoryCode=5"
      << "INSERT INTO Category (CategoryCode, CategoryName, CategoryDesc) SELECT MAX(CategoryCode)+1, "
         "'FINISHED GOODS', 'Components sold to customers' FROM Category"
      << "UPDATE Item SET CategoryCode=(SELECT MAX(CategoryCode) FROM Category) WHERE CategoryCode=5";
    for (const char* t : {"PurchPOSub", "PurchaseSub"})
        m << QStringLiteral("UPDATE %1 SET CategoryCode=(SELECT MAX(CategoryCode) FROM Category) WHERE CategoryCode=5")
                 .arg(QString::fromLatin1(t));
    m << "CREATE TABLE Machine (MachId BIGINT PRIMARY KEY, MachName {NAME} NOT NULL, MachModel TEXT, MachCapa TEXT, "
         "MachAccu TEXT, OtherDet TEXT)"
      << "CREATE UNIQUE INDEX ix_Machine_Name ON Machine (MachName)"
      << "CREATE TABLE Maintenance (MainId INTEGER PRIMARY KEY, MainName TEXT)"
      << "INSERT INTO Maintenance VALUES (1, 'Weekly')"
      << "INSERT INTO Maintenance VALUES (2, 'Fortnightly')"
      << "INSERT INTO Maintenance VALUES (3, 'Monthly')"
      << "INSERT INTO Maintenance VALUES (4, 'Quarterly')"
      << "INSERT INTO Maintenance VALUES (5, 'Bi-Annual')"
      << "INSERT INTO Maintenance VALUES (6, 'Annual')"
      << "CREATE TABLE MaintainSch (MachId BIGINT NOT NULL, MainId INTEGER NOT NULL, Descr TEXT, "
         "PRIMARY KEY (MachId, MainId))"
      << "CREATE TABLE MaintainData (MachId BIGINT NOT NULL, MainId INTEGER NOT NULL, MainDate DATE NOT NULL, "
         "StatusC BOOLEAN NOT NULL DEFAULT FALSE, Descr TEXT, PRIMARY KEY (MachId, MainId, MainDate))"
      << "CREATE INDEX ix_MaintainData_Date ON MaintainData (MainDate, StatusC)"
      << "CREATE TABLE BrkDown (Id BIGINT PRIMARY KEY, BrkDate DATE, MachId BIGINT NOT NULL, BrkFrom TIMESTAMP, "
         "Brkto TIMESTAMP, BrkDet TEXT, DetCorrect TEXT, Amt BIGINT NOT NULL DEFAULT 0)"
      << "CREATE INDEX ix_BrkDown_Mach ON BrkDown (MachId)"
      << "CREATE INDEX ix_BrkDown_Date ON BrkDown (BrkDate)"
      << "ALTER TABLE DailyProd ADD COLUMN Machine BIGINT"
      << "CREATE INDEX ix_DailyProd_Machine ON DailyProd (Machine)";
    return m;
}

}  // namespace kavra::data
