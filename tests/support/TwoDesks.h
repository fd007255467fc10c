#pragma once
// Two desks saving at the same moment: each on its own connection to the session's company
// database, released together, each work in one transaction of its own.
#include <QSqlDatabase>
#include <QString>
#include <array>
#include <functional>
#include <latch>
#include <thread>

#include "core/Db.h"
#include "core/Refusal.h"
#include "core/Session.h"
#include "core/Sql.h"

namespace kavra::test {

struct DeskRun {
    bool ok = false;
    QString refused, error;
};

inline std::array<DeskRun, 2> twoDesks(const std::function<void(QSqlDatabase&, int desk)>& work) {
    const QString name = Session::current().companyDb;
    std::latch start(2);
    std::array<DeskRun, 2> out;
    auto desk = [&](int i) {
        QSqlDatabase conn = Db::open(name);
        start.arrive_and_wait();
        try {
            Sql::transaction(conn, [&] { work(conn, i); });
            out[i].ok = true;
        } catch (const Refused& r) {
            out[i].refused = r.text();
        } catch (const DbError& e) {
            out[i].error = e.text();
        }
        Db::close(conn);
    };
    std::thread a(desk, 0), b(desk, 1);
    a.join();
    b.join();
    return out;
}

}  // namespace kavra::test
