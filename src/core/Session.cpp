#include "core/Session.h"

namespace kavra {

Session& Session::current() {
    static Session s;
    return s;
}

namespace Clock {
namespace {
QDateTime g_pinned;
}
QDateTime now() {
    if (g_pinned.isValid()) return g_pinned;
    QDateTime t = QDateTime::currentDateTime();
    return t.addMSecs(-t.time().msec());
}
void pin(const QDateTime& dt) {
    g_pinned = dt;
}
}  // namespace Clock

}  // namespace kavra
