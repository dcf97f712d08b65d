#pragma once

#include <QString>
#include <thread>

namespace pw {

class Platform;

// The automatic backup of the day (data/Backup.h, dailyBackup), made in a thread of its own
// with its own connections so that start-up does not wait for it. A backup that fails is told
// once, in one message naming the folder, when the window system is next idle; the data files
// are only read. The object waits for the thread when it is destroyed.
class DailyBackup {
public:
    DailyBackup(Platform& platform, const QString& dataFolder);
    ~DailyBackup();
    DailyBackup(const DailyBackup&) = delete;
    DailyBackup& operator=(const DailyBackup&) = delete;

private:
    std::thread m_thread;
};

}  // namespace pw
