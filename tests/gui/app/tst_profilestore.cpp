// The settings store on its own: strict integers, texts that survive the
// file format, and a failed write that leaves the earlier file whole.
#include "GuiTest.h"
#include "ProfileStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <climits>
#include <csignal>
#include <sys/resource.h>

namespace {

void writeRawStore(const QByteArray& text)
{
    QDir().mkpath(QFileInfo(settingsFile()).absolutePath());
    QFile file(settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
    file.flush();
    // QSettings rereads a file only when its size or time changed.
    static int tick = 0;
    file.setFileTime(QDateTime::currentDateTime().addSecs(++tick), QFileDevice::FileModificationTime);
}

QByteArray readRawStore()
{
    QFile file(settingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lowers the file size limit for one scope: writes past it fail as on a
// full disk, for root too, which ignores folder permissions.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit lowered = saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
    rlimit saved{};
};

}  // namespace

class ProfileStoreTest : public GuiTest {
    Q_OBJECT
private slots:
    void integersAreReadStrictly()
    {
        QVERIFY(settingsFile().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
        const QList<QPair<QByteArray, int>> cases = {
            {"42", 42}, {"-2147483648", INT_MIN}, {"2147483647", INT_MAX},
            // Absent, never wrapped or cut: the default 7 comes back.
            {"2147483648", 7}, {"-2147483649", 7}, {"4294967298", 7}, {"12abc", 7}, {"", 7},
            {"0x10", 7}, {"1.5", 7}, {"1, 2", 7}};
        QByteArray text = "[rect]\n";
        for (int i = 0; i < cases.size(); ++i)
            text += "k" + QByteArray::number(i) + "=" + cases[i].first + "\n";
        writeRawStore(text);
        const ProfileStore store;
        for (int i = 0; i < cases.size(); ++i)
            QCOMPARE(store.getProfileInt(QStringLiteral("rect"), QStringLiteral("k%1").arg(i), 7),
                     cases[i].second);
        QCOMPARE(store.getProfileInt(QStringLiteral("rect"), QStringLiteral("absent"), 7), 7);
    }

    void textsRoundTripThroughTheFile()
    {
        const QStringList texts = {QString(), QStringLiteral("氷の壁ｱｲｽ〜−"), QStringLiteral("a, b"),
                                   QStringLiteral("\"quoted\" 'x'"), QStringLiteral("a;b #c=d"),
                                   QStringLiteral("C:\\cards\\"), QStringLiteral("@Variant(abc)"),
                                   QStringLiteral("  two blanks  "), QStringLiteral("[search]"),
                                   QStringLiteral("12"), QStringLiteral("\U0001F600")};
        {
            ProfileStore store;
            for (int i = 0; i < texts.size(); ++i)
                store.writeProfileString(QStringLiteral("search"), QStringLiteral("key%1").arg(i), texts[i]);
            QVERIFY(store.flush());
        }
        // Written back with a new time, the file is parsed again, not served
        // from the cache of the store that wrote it.
        writeRawStore(readRawStore());
        const ProfileStore reread;
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(reread.getProfileString(QStringLiteral("search"), QStringLiteral("key%1").arg(i),
                                             QStringLiteral("absent")), texts[i]);
    }

    // A full disk must leave the old file as it was, never empty or cut short.
    // Last: the failed values stay pending in Qt's shared cache.
    void failedWriteKeepsTheEarlierFile()
    {
        {
            ProfileStore store;
            store.writeProfileString(QStringLiteral("search"), QStringLiteral("key"), QStringLiteral("earlier"));
            store.writeProfileInt(QStringLiteral("search"), QStringLiteral("mode"), 2);
            QVERIFY(store.flush());
        }
        const QByteArray before = readRawStore();
        QVERIFY(before.contains("earlier"));
        {
            FileSizeLimit full(8);  // outlives the store, which retries when destroyed
            ProfileStore store;
            store.writeProfileString(QStringLiteral("search"), QStringLiteral("key"),
                                     QStringLiteral("a much longer replacement text"));
            store.writeProfileInt(QStringLiteral("search"), QStringLiteral("mode"), 1);
            QVERIFY(!store.flush());
        }
        QCOMPARE(readRawStore(), before);
    }
};

VOXTARN_GUI_TEST_MAIN(QApplication, ProfileStoreTest)
#include "tst_profilestore.moc"
