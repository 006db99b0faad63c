#pragma once

#include <QStringList>

namespace pixmere {

// The files last opened or saved, most recent first, remembered between runs in the
// application's settings; File > "Recent Files" lists them.
class RecentFiles {
public:
    static constexpr int kKept = 8;

    RecentFiles();
    const QStringList& Files() const { return files_; }
    // path comes first; a path listed before moves up, the oldest beyond kKept goes.
    void Add(const QString& path);

private:
    QStringList files_;
};

}  // namespace pixmere
