// Lays out the database folder of an installation: creates the folder given on the command line and any of the
// four table files missing in it, each with its empty table. Existing files are left as they are.
#include "store/Database.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: koltra-makedb <folder>\n");
        return 2;
    }
    const QString folder = args.at(1);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    try {
        Database db;
        db.connect(folder);
    } catch (const StoreError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
