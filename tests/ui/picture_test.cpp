// Pictures taken out of the window: PNG and SVG, on the clipboard and in files.

#include "window_fixture.h"

#include "ui/fonts.h"
#include "ui/picture_export.h"
#include "ui/readout_field.h"
#include "ui/window_zoom.h"

#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <optional>
#include <set>
#include <vector>

namespace tessarion::ui::testing {
namespace {

using PictureTest = WindowTest;
using ActivePictureTest = ActiveWindowTest;

// The bounding box of the mass's red pixels within `area`.
QRect redBox(const QImage& image, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (const QRgb p = image.pixel(x, y); qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The width of an SVG document in millimetres, as its root says.
double svgWidthMm(const QByteArray& svg)
{
    QXmlStreamReader reader(svg);
    reader.readNextStartElement();
    const QStringView width = reader.attributes().value(QLatin1String("width"));
    return width.endsWith(u"mm") ? width.chopped(2).toDouble() : 0;
}

struct PngCase {
    const char* what;
    double zoom;       // of the window when the picture is taken
    const char* panel; // one panel's picture, or the layout's
    QSize size;
};

void PrintTo(const PngCase& c, std::ostream* out) { *out << c.what; }

class PngPicture : public WindowTest, public ::testing::WithParamInterface<PngCase> {};

TEST_P(PngPicture, HasItsSizeAndTheMassAtItsScaledPlace)
{
    const PngCase& c = GetParam();
    const QRect p1 = window->panel("P1")->geometry();
    const QRect shown = redBox(window->grab().toImage(), p1);
    ASSERT_FALSE(shown.isEmpty());

    window->zoom().zoomTo(c.zoom);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->zoom().factor() == c.zoom; }));
    PanelWidget* panel = c.panel != nullptr ? window->panel(c.panel) : nullptr;
    const Picture picture = panel != nullptr ? Picture(*window, *panel) : Picture(*window);
    const QImage image = picture.image(picture.pngScale());
    EXPECT_EQ(image.size(), c.size);

    // Where the window shows the mass at 100 %, at the picture's scale.
    const double scale = picture.pngScale();
    const QPoint origin = panel != nullptr ? p1.topLeft() : QPoint(0, 0);
    const QRect found = redBox(image, QRect((p1.topLeft() - origin) * scale, p1.size() * scale));
    EXPECT_LE((found.topLeft() - (shown.topLeft() - origin) * scale).manhattanLength(), 2 * scale);
    EXPECT_NEAR(found.width(), shown.width() * scale, scale);

    // It prints as large as the SVG, and at the screen's zoom it shows what the screen shows:
    // texts sized by the printed resolution would be larger.
    EXPECT_NEAR(image.width() * 1000.0 / image.dotsPerMeterX(), svgWidthMm(picture.svg()), 0.2);
    if (scale != c.zoom)
        return;
    const QImage screen = window->grab().toImage();
    for (const char* name : {"P1", "p2", "p3", "p4"}) {
        const QRect area = window->panel(name)->geometry();
        int differing = 0; // a shade of edge smoothing aside
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                differing +=
                    std::abs(qGray(screen.pixel(x, y)) -
                             qGray(image.pixel(QPoint(x, y) - window->zoom().offset()))) > 64;
        EXPECT_EQ(differing, 0) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, PngPicture,
                         ::testing::Values(PngCase{"layout at 100 %", 1, nullptr, {1572, 1132}},
                                           PngCase{"layout at 50 %", 0.5, nullptr, {1572, 1132}},
                                           // A larger zoom on the screen, a larger picture.
                                           PngCase{"layout at 250 %", 2.5, nullptr, {1965, 1415}},
                                           PngCase{"P1 alone", 1, "P1", {322, 776}}));

// A font's families as an SVG names them, so that a system without the first finds the others.
QString listed(const QFont& font)
{
    QStringList families;
    for (const QString& family : font.families())
        families.append(QLatin1Char('\'') + family + QLatin1Char('\''));
    return (families << QStringLiteral("sans-serif")).join(u", ");
}

TEST_F(PictureTest, SvgIsVectorWithTheMassAsARedCircleAndTextsInTheirFonts)
{
    std::multiset<QString> readouts, inReadoutFont;
    for (const ReadoutField* field : window->findChildren<ReadoutField*>())
        if (field->isVisibleTo(window.get()) && !field->text().isEmpty())
            readouts.insert(field->text());
    QXmlStreamReader svg(Picture(*window).svg());
    std::vector<QString> strokes{QString()}; // of the groups the reader is in
    std::vector<QPoint> redCircles;
    int images = 0;
    int texts = 0;
    while (!svg.atEnd()) {
        const QXmlStreamReader::TokenType token = svg.readNext();
        if (token == QXmlStreamReader::EndElement && svg.name() == u"g")
            strokes.pop_back();
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes at = svg.attributes();
        if (svg.name() == u"g")
            strokes.push_back(at.hasAttribute(QLatin1String("stroke"))
                                  ? at.value(QLatin1String("stroke")).toString()
                                  : strokes.back());
        images += svg.name() == u"image" ? 1 : 0;
        if (svg.name() == u"text") {
            ++texts;
            const QString family = at.value(QLatin1String("font-family")).toString();
            const QString text = svg.readElementText();
            if (family == listed(readoutFont()))
                inReadoutFont.insert(text);
            else
                EXPECT_EQ(family, listed(windowFont())) << text.toStdString();
        }
        if (svg.name() == u"circle" && strokes.back() == QLatin1String("#ff0000"))
            redCircles.push_back(QPointF(at.value(QLatin1String("cx")).toDouble(),
                                         at.value(QLatin1String("cy")).toDouble())
                                     .toPoint());
    }
    ASSERT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    const QRect p1 = window->panel("P1")->geometry();
    EXPECT_EQ(std::count_if(redCircles.begin(), redCircles.end(),
                            [&](QPoint centre) { return p1.contains(centre); }),
              1);
    EXPECT_EQ(images, 0);
    EXPECT_GE(texts, 20); // every caption and label
    EXPECT_EQ(inReadoutFont, readouts);
}

// A limit on the size of the files this process writes: a write beyond it falls short and
// then fails with EFBIG, as one on a full disk does with ENOSPC.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::optional<rlim_t> bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes.value_or(old_.rlim_cur), old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }
    Q_DISABLE_COPY_MOVE(FileSizeLimit)

private:
    rlimit old_{};
    void (*oldSignal_)(int) = nullptr;
};

struct SaveCase {
    const char* what;
    const char* name; // beside "kept.png", "kept.jpg" and the read-only folder "locked"
    bool written;
    std::optional<rlim_t> sizeLimit = std::nullopt;
    const char* reason = ""; // what the message says, besides the file's name
};

void PrintTo(const SaveCase& c, std::ostream* out) { *out << c.what; }

class SavedPicture : public WindowTest, public ::testing::WithParamInterface<SaveCase> {};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_P(SavedPicture, IsWrittenWholeOrNotAtAll)
{
    const SaveCase& c = GetParam();
    QTemporaryDir folder;
    QDir dir(folder.path());
    ASSERT_TRUE(dir.mkdir(QStringLiteral("locked")));
    QFile::setPermissions(dir.filePath(QStringLiteral("locked")),
                          QFile::ReadOwner | QFile::ExeOwner);
    for (const char* name : {"kept.png", "kept.jpg"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("kept") == 4);
    }
    QString path = dir.filePath(QString::fromLatin1(c.name));
    // Permissions do not hold back root; no new file goes into /proc either.
    if (path.contains(QLatin1String("locked/")) &&
        QFileInfo(dir.filePath(QStringLiteral("locked"))).isWritable())
        path = QStringLiteral("/proc/tessarion-picture.png");
    const QStringList before = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const Picture picture(*window);
    const QByteArray png = picture.png();
    const QByteArray svg = picture.svg();
    std::optional<QString> failure;
    {
        const FileSizeLimit limit(c.sizeLimit);
        failure = Picture::save(path, png, svg);
    }

    ASSERT_EQ(!failure, c.written) << failure.value_or(QString()).toStdString();
    if (c.written) {
        EXPECT_EQ(contents(path),
                  path.endsWith(QLatin1String("svg"), Qt::CaseInsensitive) ? svg : png);
        return;
    }
    EXPECT_TRUE(failure->contains(QDir::toNativeSeparators(path))) << failure->toStdString();
    EXPECT_TRUE(failure->contains(QLatin1String(c.reason))) << failure->toStdString();
    EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("locked"))).isEmpty());
    for (const char* name : {"kept.png", "kept.jpg"})
        EXPECT_EQ(contents(dir.filePath(QString::fromLatin1(name))), "kept") << name;
}

// The pictures are some 100 KB: a 16 KiB limit cuts a write short, and a limit of nothing
// stops the first byte.
INSTANTIATE_TEST_SUITE_P(
    Files, SavedPicture,
    ::testing::Values(
        SaveCase{"SVG, extension in capitals", "tessarion-phase-0.SVG", true},
        SaveCase{"over an existing file", "kept.png", true},
        SaveCase{"read-only folder", "locked/tessarion-phase-0.png", false},
        SaveCase{"under a file", "kept.jpg/tessarion-phase-0.png", false},
        SaveCase{"unknown extension, over a file", "kept.jpg", false},
        SaveCase{"a line break in the name", "tessarion\nphase.png", false, {}, "control"},
        SaveCase{"a delete character in the name", "tessarion\x7f.svg", false, {}, "control"},
        SaveCase{"PNG cut short, over a file", "kept.png", false, 16 * 1024, "File too large"},
        SaveCase{"SVG cut short", "new.svg", false, 16 * 1024, "File too large"},
        SaveCase{"not a byte written, over a file", "kept.png", false, 0, "File too large"}));

TEST_F(ActivePictureTest, CtrlCCopiesAReadOutsTextThereAndThePictureElsewhere)
{
    QClipboard& clipboard = *QApplication::clipboard();
    auto* field = window->findChild<QLineEdit*>(QStringLiteral("Text3"));
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    press(Qt::CTRL | Qt::Key_C);
    EXPECT_EQ(clipboard.text(), QStringLiteral("0"));
    EXPECT_FALSE(clipboard.mimeData()->hasImage());

    button("Command5")->setFocus(Qt::TabFocusReason);
    press(Qt::CTRL | Qt::Key_C);
    const QMimeData& data = *clipboard.mimeData();
    EXPECT_EQ(qvariant_cast<QImage>(data.imageData()).size(), QSize(1572, 1132));
    EXPECT_TRUE(data.data(QStringLiteral("image/svg+xml")).startsWith("<?xml"));
}

// The time graph's marker shows the displacement stored last: through paints of the whole
// window it stays the pendulum's, as a tick leaves it, not the spring's mirror image.
class DisplacementAtPaint : public QObject {
public:
    DisplacementAtPaint(const core::Form& form, QWidget& p4)
        : form_(form)
    {
        p4.installEventFilter(this);
    }
    std::vector<double> seen;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            seen.push_back(form_.state.displacement);
        return false;
    }

private:
    const core::Form& form_;
};

TEST_F(PictureTest, TheMarkerStaysOnItsSideThroughTwoResizes)
{
    for (int i = 0; i < 30; ++i)
        click("Command8");
    DisplacementAtPaint p4(window->form(), *window->panel("p4"));
    for (QSize size : {QSize(900, 700), QSize(1000, 760)}) {
        window->resize(size);
        deliverPendingPaints();
    }
    ASSERT_GE(p4.seen.size(), 2U);
    for (double displacement : p4.seen)
        EXPECT_DOUBLE_EQ(displacement, 3.5 * 0.5);
}

// A picture of one panel leaves the state as a picture of all four does: the time graph,
// painted alone afterwards, reads the pendulum's displacement at the amplitude set since.
TEST_F(PictureTest, OnePanelAloneLeavesTheStateAsAllFourDo)
{
    for (int i = 0; i < 30; ++i)
        click("Command8");
    for (const char* name : {"P1", "p2", "p3", "p4"}) {
        click("Command2"); // a larger amplitude, which repaints nothing
        Picture(*window, *window->panel(name)).image(1);
        const core::OscillationState& state = window->form().state;
        EXPECT_DOUBLE_EQ(state.displacement, state.amplitude * 0.5) << name;
    }
}

} // namespace
} // namespace tessarion::ui::testing
