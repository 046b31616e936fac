// Pictures taken out of the window: PNG and SVG, on the clipboard and in files.

#include "window_fixture.h"

#include "ui/picture_export.h"
#include "ui/window_actions.h"
#include "ui/window_zoom.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <optional>
#include <vector>

namespace tessarion::ui::testing {
namespace {

class PictureTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void press(QKeyCombination key) const
    {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }
};

bool isMassRed(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80; }

// The bounding box of the mass's red pixels within `area` of `image`.
QRect redBox(const QImage& image, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isMassRed(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

struct PngCase {
    const char* what;
    double zoom;       // the window's zoom when the picture is taken
    const char* panel; // one panel's picture, or nullptr for the layout
    QSize size;
};

void PrintTo(const PngCase& c, std::ostream* out) { *out << c.what; }

class PngPicture : public PictureTest, public ::testing::WithParamInterface<PngCase> {};

// The mass of P1 stands where the window shows it at 100 %, at the picture's scale.
TEST_P(PngPicture, HasItsSizeAndTheMassAtItsScaledPlace)
{
    const PngCase& c = GetParam();
    const QRect massArea(window->panel("P1")->geometry());
    const QRect shown = redBox(window->grab().toImage(), massArea);
    ASSERT_FALSE(shown.isEmpty());

    window->zoom().zoomTo(c.zoom);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->zoom().factor() == c.zoom; }));
    PanelWidget* panel = c.panel != nullptr ? window->panel(c.panel) : nullptr;
    const Picture picture = panel != nullptr ? Picture(*window, *panel) : Picture(*window);
    const QImage image = picture.image(picture.pngScale());
    EXPECT_EQ(image.size(), c.size);

    const double scale = picture.pngScale();
    const QPoint origin = panel != nullptr ? massArea.topLeft() : QPoint(0, 0);
    const QRect expected(((shown.topLeft() - origin) * scale), shown.size() * scale);
    const QRect found =
        redBox(image, QRect(((massArea.topLeft() - origin) * scale), massArea.size() * scale));
    for (int edge = 0; edge < 4; ++edge) {
        const std::array<int, 4> want{expected.left(), expected.top(), expected.right(),
                                      expected.bottom()};
        const std::array<int, 4> got{found.left(), found.top(), found.right(), found.bottom()};
        EXPECT_NEAR(got[edge], want[edge], scale + 1) << c.what << ", edge " << edge;
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, PngPicture,
                         ::testing::Values(PngCase{"layout at 100 %", 1, nullptr, {1572, 1132}},
                                           // A larger zoom on the screen gives a larger picture.
                                           PngCase{"layout at 250 %", 2.5, nullptr, {1965, 1415}},
                                           PngCase{"layout at 50 %", 0.5, nullptr, {1572, 1132}},
                                           PngCase{"P1 alone", 1, "P1", {322, 776}}));

// ---- SVG ----------------------------------------------------------------------------------

TEST_F(PictureTest, SvgIsVectorWithTheMassAsARedOutline)
{
    QXmlStreamReader svg(Picture(*window).svg());
    std::vector<QString> strokes{QString()}; // of the groups the reader is in
    std::vector<QPointF> redCircles;
    int images = 0;
    int texts = 0;
    while (!svg.atEnd()) {
        const QXmlStreamReader::TokenType token = svg.readNext();
        const auto name = svg.name();
        if (token == QXmlStreamReader::EndElement && name == u"g")
            strokes.pop_back();
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = svg.attributes();
        if (name == u"g")
            strokes.push_back(attributes.hasAttribute(QLatin1String("stroke"))
                                  ? attributes.value(QLatin1String("stroke")).toString()
                                  : strokes.back());
        images += name == u"image" ? 1 : 0;
        texts += name == u"text" ? 1 : 0;
        if (name == u"circle" && strokes.back() == QLatin1String("#ff0000"))
            redCircles.emplace_back(attributes.value(QLatin1String("cx")).toDouble(),
                                    attributes.value(QLatin1String("cy")).toDouble());
    }
    ASSERT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    const QRect p1 = window->panel("P1")->geometry();
    EXPECT_EQ(std::count_if(redCircles.begin(), redCircles.end(),
                            [&](QPointF centre) { return p1.contains(centre.toPoint()); }),
              1);
    EXPECT_EQ(images, 0);
    // Every caption and label is text, not a drawing of letters.
    EXPECT_GE(texts, 20);
}

// ---- Files --------------------------------------------------------------------------------

struct SaveCase {
    const char* what;
    const char* name; // under the folder; "readonly/" is a folder without write permission
    bool written;
};

void PrintTo(const SaveCase& c, std::ostream* out) { *out << c.what; }

class SavedPicture : public PictureTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SavedPicture, IsWrittenWholeOrNotAtAll)
{
    const SaveCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QDir(folder.path()).mkdir(QStringLiteral("readonly"));
    QFile::setPermissions(folder.filePath(QStringLiteral("readonly")),
                          QFile::ReadOwner | QFile::ExeOwner);
    for (const char* name : {"notes.txt", "existing.png", "kept.jpg"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("kept");
    }
    QString path = folder.filePath(QString::fromLatin1(c.name));
    // Write permission does not hold back root; a folder of /proc takes no new file either.
    if (path.contains(QLatin1String("readonly")) &&
        QFileInfo(folder.filePath(QStringLiteral("readonly"))).isWritable())
        path = QStringLiteral("/proc/tessarion-picture.png");
    const QStringList before =
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const Picture picture(*window);
    const QByteArray png = picture.png();
    const QByteArray svg = picture.svg();
    const std::optional<QString> failure = Picture::save(path, png, svg);

    EXPECT_EQ(!failure.has_value(), c.written) << failure.value_or(QString()).toStdString();
    EXPECT_TRUE(!failure || !failure->isEmpty());
    QFile saved(path);
    if (c.written) {
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(saved.readAll(),
                  path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ? svg : png);
    } else {
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        EXPECT_TRUE(QDir(folder.filePath(QStringLiteral("readonly"))).isEmpty());
        QFile kept(folder.filePath(QStringLiteral("kept.jpg")));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), "kept");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, SavedPicture,
    ::testing::Values(SaveCase{"PNG", "tessarion-phase-0.png", true},
                      SaveCase{"SVG, extension in capitals", "tessarion-phase-0.SVG", true},
                      SaveCase{"over an existing file", "existing.png", true},
                      SaveCase{"read-only folder", "readonly/tessarion-phase-0.png", false},
                      SaveCase{"folder that is a file", "notes.txt/picture.png", false},
                      SaveCase{"unknown extension, existing file", "kept.jpg", false}));

TEST_F(PictureTest, SuggestedNameSaysThePanelAndThePhase)
{
    for (int i = 0; i < 90; ++i)
        window->form().Command8_Click();
    EXPECT_EQ(Picture(*window).suggestedName(QStringLiteral("png")),
              QStringLiteral("tessarion-phase-90.png"));
    EXPECT_EQ(Picture(*window, *window->panel("p4")).suggestedName(QStringLiteral("svg")),
              QStringLiteral("tessarion-p4-phase-90.svg"));
}

// ---- Ctrl+C -------------------------------------------------------------------------------

TEST_F(PictureTest, CtrlCCopiesAReadOutsTextThereAndThePictureElsewhere)
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
    ASSERT_TRUE(data.hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data.imageData()).size(), QSize(1572, 1132));
    EXPECT_TRUE(data.data(QStringLiteral("image/svg+xml")).startsWith("<?xml"));
}

// ---- Whole-window paints ------------------------------------------------------------------

// The time graph's marker shows the displacement stored last; through whole-window paints it
// stays the pendulum's, as a tick leaves it, and does not flip to the spring's mirror image.
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
            seen.push_back(form_.state.Displacement);
        return false;
    }

private:
    const core::Form& form_;
};

TEST_F(PictureTest, MarkerStaysOnItsSideThroughTwoResizes)
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

} // namespace
} // namespace tessarion::ui::testing
