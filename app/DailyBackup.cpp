#include "app/DailyBackup.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>

#include "data/Backup.h"
#include "data/RuntimeError.h"
#include "platform/Platform.h"

namespace pw {

DailyBackup::DailyBackup(Platform& platform, const QString& dataFolder)
    : m_thread([&platform, dataFolder] {
          QString failure;
          try {
              dailyBackup(dataFolder, QDate::currentDate());
              return;
          } catch (const RuntimeError& e) {
              failure = e.description();
          } catch (const std::exception& e) {
              failure = QString::fromUtf8(e.what());
          }
          const QString text =
              QStringLiteral(
                  "Today's backup could not be made in the folder %1. Your meals and "
                  "foods are as they were.\n%2")
                  .arg(QDir::toNativeSeparators(backupsFolder(dataFolder)), failure);
          QMetaObject::invokeMethod(
              QCoreApplication::instance(), [&platform, text] { platform.message(text); },
              Qt::QueuedConnection);
      }) {}

DailyBackup::~DailyBackup() {
    if (m_thread.joinable()) m_thread.join();
}

}  // namespace pw
