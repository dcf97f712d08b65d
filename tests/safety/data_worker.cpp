// Does one of the long writes of the data files once, to be killed while it works:
//
//     data_worker backup <data folder> <new backup folder>
//     data_worker restore <data folder> <backup folder>
//     data_worker import <data folder> <foods CSV file>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <cstdio>

#include "custom/FoodsCsv.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "data/RuntimeError.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString data = QString::fromLocal8Bit(argv[2]);
    const QString other = QString::fromLocal8Bit(argv[3]);
    try {
        if (mode == QLatin1String("backup")) {
            pw::writeBackup(data, other);
        } else if (mode == QLatin1String("restore")) {
            pw::restoreBackup(other, data, QDateTime::currentDateTime());
        } else {
            QFile file(other);
            if (!file.open(QIODevice::ReadOnly)) return 2;
            const QString foods = data + QStringLiteral("/") + pw::kFoodFile;
            pw::addFoods(foods, pw::readFoodsCsv(file.readAll(), foods).foods);
        }
    } catch (const pw::RuntimeError& e) {
        std::fprintf(stderr, "%d %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
    return 0;
}
