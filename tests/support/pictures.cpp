#include "support/pictures.h"

#include <QDir>

namespace testsupport {

namespace {

QString folder()
{
    const QString dir = QStringLiteral(QUILLMERE_TEST_PICTURES);
    QDir().mkpath(dir);
    return dir;
}

// A file name from a test's own name: letters and digits kept, the rest "-".
QString fileStem(const std::string& name)
{
    QString s = QString::fromStdString(name);
    for (QChar& c : s)
        if (!c.isLetterOrNumber()) c = QLatin1Char('-');
    return s;
}

int differences(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) return -1;
    const QImage ca = a.convertToFormat(QImage::Format_RGB32), cb = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < ca.height(); ++y) {
        const auto* ra = reinterpret_cast<const uint32_t*>(ca.constScanLine(y));
        const auto* rb = reinterpret_cast<const uint32_t*>(cb.constScanLine(y));
        for (int x = 0; x < ca.width(); ++x) n += (ra[x] & 0xFFFFFFu) != (rb[x] & 0xFFFFFFu);
    }
    return n;
}

QImage differencePicture(const QImage& got, const QImage& expected)
{
    const int w = std::max(got.width(), expected.width()), h = std::max(got.height(), expected.height());
    QImage diff(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool inGot = x < got.width() && y < got.height();
            const bool inExpected = x < expected.width() && y < expected.height();
            const QRgb e = inExpected ? expected.pixel(x, y) : 0;
            const bool differs = !inGot || !inExpected || (got.pixel(x, y) & 0xFFFFFFu) != (e & 0xFFFFFFu);
            // Unchanged pixels at a quarter of their strength over white.
            diff.setPixel(x, y, differs ? qRgb(255, 0, 0)
                                        : qRgb(192 + qRed(e) / 4, 192 + qGreen(e) / 4, 192 + qBlue(e) / 4));
        }
    return diff;
}

}  // namespace

std::string testName()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : std::string("picture");
}

std::string keepPictures(const std::string& name, const QImage& got, const QImage* expected)
{
    const QDir dir(folder());
    const QString stem = fileStem(name);
    QStringList written;
    auto save = [&](const QImage& img, const char* suffix) {
        const QString path = dir.filePath(stem + QLatin1String(suffix));
        if (img.convertToFormat(QImage::Format_RGB32).save(path, "PNG")) written << path;
    };
    save(got, "-got.png");
    if (expected) {
        save(*expected, "-expected.png");
        save(differencePicture(got, *expected), "-diff.png");
    }
    return "pictures: " + written.join(QLatin1Char(' ')).toStdString();
}

::testing::AssertionResult samePicture(const std::string& name, const QImage& got, const QImage& expected)
{
    const int n = differences(got, expected);
    if (n == 0) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    if (n < 0)
        failure << "sizes differ: " << got.width() << "x" << got.height() << " against " << expected.width() << "x"
                << expected.height();
    else
        failure << n << " pixels differ";
    return failure << "; " << keepPictures(name, got, &expected);
}

}  // namespace testsupport
