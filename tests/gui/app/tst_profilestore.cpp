// The settings store on its own: strict integers, texts that survive the
// file format, and writes that fail without harming the stored file.
#include "GuiTestMain.h"
#include "ProfileStore.h"

#include <QDateTime>
#include <QFile>
#include <QStandardPaths>

#include <climits>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Taken once: every QSettings built later on the same file shares its
// unsaved changes, and would write them when destroyed.
QString storeFile()
{
    static const QString name = ProfileStore().fileName();
    return name;
}

void writeRawStore(const QByteArray& text)
{
    QDir().mkpath(QFileInfo(storeFile()).absolutePath());
    QFile file(storeFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
    file.flush();
    // QSettings rereads a file only when its size or time changed; rows of
    // equal length may land within one clock tick.
    static int tick = 0;
    file.setFileTime(QDateTime::currentDateTime().addSecs(++tick), QFileDevice::FileModificationTime);
}

QByteArray readRawStore()
{
    QFile file(storeFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lowers the file size limit for one scope: writes past it fail as on a
// full disk, for root too, which ignores folder permissions.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace

class ProfileStoreTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(storeFile()); }

    void fileLivesInTheRedirectedFolder()
    {
        QVERIFY(storeFile().startsWith(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))));
        QVERIFY(storeFile().contains(QStringLiteral("Kestrowe")));
        QVERIFY(storeFile().contains(QStringLiteral("Voxtarn card list finder")));
    }

    void integersAreReadStrictly_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QByteArray("42") << 42;
        QTest::newRow("negative") << QByteArray("-17") << -17;
        QTest::newRow("lowest") << QByteArray("-2147483648") << INT_MIN;
        QTest::newRow("highest") << QByteArray("2147483647") << INT_MAX;
        QTest::newRow("one past highest") << QByteArray("2147483648") << 7;
        QTest::newRow("one below lowest") << QByteArray("-2147483649") << 7;
        QTest::newRow("unsigned 32-bit") << QByteArray("4294967295") << 7;
        QTest::newRow("64-bit") << QByteArray("9223372036854775807") << 7;
        QTest::newRow("word") << QByteArray("abc") << 7;
        QTest::newRow("number then word") << QByteArray("12abc") << 7;
        QTest::newRow("empty") << QByteArray("") << 7;
        QTest::newRow("hex") << QByteArray("0x10") << 7;
        QTest::newRow("fraction") << QByteArray("1.5") << 7;
        QTest::newRow("list") << QByteArray("1, 2") << 7;
    }
    void integersAreReadStrictly()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        writeRawStore("[rect]\nleft=" + stored + "\n");
        const ProfileStore store;
        QCOMPARE(store.getProfileInt(QStringLiteral("rect"), QStringLiteral("left"), 7), expected);
        QCOMPARE(store.getProfileInt(QStringLiteral("rect"), QStringLiteral("top"), 7), 7);
    }

    void textsRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("ascii") << QStringLiteral("Ice Wall");
        QTest::newRow("japanese") << QStringLiteral("氷の壁アイス");
        QTest::newRow("half-width kana") << QStringLiteral("ｱｲｽ");
        QTest::newRow("wave dash and minus") << QStringLiteral("〜−～");
        QTest::newRow("comma") << QStringLiteral("a, b");
        QTest::newRow("quotes") << QStringLiteral("\"quoted\" 'x'");
        QTest::newRow("semicolon and hash") << QStringLiteral("a;b #c");
        QTest::newRow("backslash") << QStringLiteral("C:\\cards\\");
        QTest::newRow("equals") << QStringLiteral("a=b");
        QTest::newRow("variant-like") << QStringLiteral("@Variant(abc)");
        QTest::newRow("at sign") << QStringLiteral("@");
        QTest::newRow("blanks around") << QStringLiteral("  two blanks  ");
        QTest::newRow("one blank") << QStringLiteral(" ");
        QTest::newRow("brackets") << QStringLiteral("[search]");
        QTest::newRow("number") << QStringLiteral("12");
        QTest::newRow("emoji") << QStringLiteral("\U0001F600");
    }
    void textsRoundTrip()
    {
        QFETCH(QString, text);
        {
            ProfileStore store;
            store.writeProfileString(QStringLiteral("search"), QStringLiteral("key"), text);
            QVERIFY(store.flush());
        }
        const ProfileStore reread;
        const QString back = reread.getProfileString(QStringLiteral("search"),
                                                     QStringLiteral("key"), QStringLiteral("absent"));
        QCOMPARE(back, text);
    }

    void readOnlyFolderKeepsTheEarlierFile()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders; the full-disk case covers root");
        {
            ProfileStore store;
            store.writeProfileString(QStringLiteral("search"), QStringLiteral("key"),
                                     QStringLiteral("earlier"));
            QVERIFY(store.flush());
        }
        const QByteArray before = readRawStore();
        const QString folder = QFileInfo(storeFile()).absolutePath();
        const QFile::Permissions saved = QFile::permissions(folder);
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        bool written = true;
        {
            ProfileStore store;
            store.writeProfileString(QStringLiteral("search"), QStringLiteral("key"),
                                     QStringLiteral("later"));
            written = store.flush();
        }
        QFile::setPermissions(folder, saved);
        QVERIFY(!written);
        QCOMPARE(readRawStore(), before);
    }

    // A full disk must leave the old file as it was, never empty or cut
    // short. Last: the failed values stay pending in Qt's shared cache.
    void failedWriteKeepsTheEarlierFile()
    {
        {
            ProfileStore store;
            store.writeProfileString(QStringLiteral("search"), QStringLiteral("key"),
                                     QStringLiteral("earlier"));
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
        // Byte for byte: not emptied, not cut short, not half replaced.
        QCOMPARE(readRawStore(), before);
    }
};

VOXTARN_GUI_TEST_MAIN(QApplication, ProfileStoreTest)
#include "tst_profilestore.moc"
