// The .mt file type as desktops see it: Qt's QMimeDatabase reads the same
// shared-mime-info XML that file managers use, here the one the install
// puts into share/mime/packages. A drawing is known by its name and, once
// renamed, by its first lines; other text is not taken for one.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kOurs = QStringLiteral("application/x-mirt-drawing");

QByteArray SampleBytes()
{
    QFile sample(QStringLiteral(MIRT_TEST_DATA "/sample.mt"));
    return sample.open(QIODevice::ReadOnly) ? sample.readAll() : QByteArray();
}

struct MimeRow {
    const char* name;
    const char* fileName;
    QByteArray (*content)();
    bool ours;
};

const MimeRow kRows[] = {
    {"drawing", "plan.mt", SampleBytes, true},
    {"drawing_upper_case_name", "PLAN.MT", SampleBytes, true},
    {"renamed_without_extension", "plan", SampleBytes, true},
    {"renamed_to_unknown_extension", "plan.zzz", SampleBytes, true},
    {"written_with_lf_only", "plan", [] { return SampleBytes().replace("\r\n", "\n"); }, true},
    {"smallest_drawing_start", "plan", [] { return QByteArray("1\r\n1\r\nLAYER\r\n1\r\n"); }, true},
    {"other_text", "notes", [] { return QByteArray("Shopping list\nLAYER\n"); }, false},
    {"numbers_without_layer", "numbers", [] { return QByteArray("640\r\n480\r\nlayer\r\n"); }, false},
    {"layer_too_far_down", "table", [] { return QByteArray("1\n") + QByteArray(60, ' ') + "\nLAYER\n"; }, false},
};

class MimeType : public testing::TestWithParam<MimeRow> {};

TEST_P(MimeType, IsKnownByNameOrFirstLines)
{
    const MimeRow& row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8(row.fileName));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray bytes = row.content();
    ASSERT_FALSE(bytes.isEmpty());
    file.write(bytes);
    file.close();
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    EXPECT_EQ(type.name() == kOurs, row.ours) << type.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Desktop, MimeType, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Desktop, MimeTypeIsTextWithAJapaneseComment)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(kOurs);
    ASSERT_TRUE(type.isValid());
    EXPECT_TRUE(type.inherits(QStringLiteral("text/plain")));
    EXPECT_EQ(type.suffixes(), QStringList{QStringLiteral("mt")});
}

}  // namespace

// The type must come from our XML alone, ahead of the system's database, so
// the data folders are set before Qt first looks.
int main(int argc, char** argv)
{
    QTemporaryDir dataDir;
    if (!QDir(dataDir.path()).mkpath(QStringLiteral("mime/packages"))
        || !QFile::copy(QStringLiteral(MIRT_MIME_XML), dataDir.filePath(QStringLiteral("mime/packages/mirt.xml"))))
        return 1;
    qputenv("XDG_DATA_DIRS", dataDir.path().toLocal8Bit() + ":/usr/local/share:/usr/share");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
