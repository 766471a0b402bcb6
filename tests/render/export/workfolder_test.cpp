#include "render/export/workfolder.h"
#include "render/host.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vistarel::render;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
    file.write("x");
}

} // namespace

TEST(WorkFolder, SaveListUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"list.txt"_qs);
    ASSERT_TRUE(SaveListUtf8({u"file '/m/Bäume'"_qs, u"duration 5.00000"_qs}, path));
    EXPECT_EQ(readAll(path), QByteArray("file '/m/B\xC3\xA4ume'\r\nduration 5.00000\r\n"));
    // An empty list replaces the old content by an empty file.
    ASSERT_TRUE(SaveListUtf8({}, path));
    EXPECT_EQ(readAll(path), QByteArray());
    EXPECT_FALSE(SaveListUtf8({u"x"_qs}, dir.filePath(u"missing/list.txt"_qs)));
}

TEST(WorkFolder, CleanupRemovesOnlyTheExportsFiles)
{
    QTemporaryDir dir;
    const QStringList removed = {u"frame_00000000.jpg"_qs, u"frame_00000123.jpg"_qs,
                                 u"run_000.txt"_qs,        u"seg_000.mkv"_qs,
                                 u"seg_1000.mkv"_qs,       u"clip_first.png"_qs,
                                 u"clip_last.png"_qs,      u"clipsub_001.png"_qs,
                                 u"segments.txt"_qs,       u"frames.txt"_qs};
    const QStringList kept = {u"render.log"_qs, u"error.log"_qs,   u"render.lock"_qs,
                              u"frame_1.png"_qs, u"seg_000.mp4"_qs, u"notes.txt"_qs,
                              u"cache/0123ABCD.jpg"_qs};
    QDir(dir.path()).mkpath(u"cache"_qs);
    for (const QString& name : removed + kept)
        touch(dir.filePath(name));
    CleanupWorkFolder(dir.path());
    for (const QString& name : removed)
        EXPECT_FALSE(QFile::exists(dir.filePath(name))) << qPrintable(name);
    for (const QString& name : kept)
        EXPECT_TRUE(QFile::exists(dir.filePath(name))) << qPrintable(name);
}

TEST(WorkFolder, OneRenderLockAtATime)
{
    QTemporaryDir dir;
    {
        RenderLock first(dir.path());
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.acquire()); // asking again keeps it
        RenderLock second(dir.path());
        EXPECT_FALSE(second.acquire());
        EXPECT_FALSE(second.isHeld());
    }
    RenderLock after(dir.path());
    EXPECT_TRUE(after.acquire());
}

TEST(WorkFolder, LockOfAnEndedProcessIsTakenOver)
{
    QTemporaryDir dir;
    // A process that takes the lock and dies without releasing it.
    QProcess shell;
    shell.start(u"/bin/sh"_qs, {u"-c"_qs, u"echo $$"_qs});
    ASSERT_TRUE(shell.waitForFinished());
    const QByteArray deadPid = shell.readAllStandardOutput().trimmed();
    QFile lock(dir.filePath(u"render.lock"_qs));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(deadPid + "\nvistarel-cli\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();

    RenderLock takeover(dir.path());
    EXPECT_TRUE(takeover.acquire());
}
