#include "ui/main_window.h"

#include "render/painters.h"
#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/palette.h"
#include "ui/panel_widget.h"

#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <array>
#include <stdexcept>

// The icon lives in this static library; naming its resource keeps the linker from dropping it.
static void initResources() { Q_INIT_RESOURCE(tessarion); }

namespace tessarion::ui {

namespace {
using Handler = void (core::Form::*)();

// Buttons are attached to their handlers by name.
constexpr std::array<std::pair<std::string_view, Handler>, 9> buttonHandlers{{
    {"Command1", &core::Form::Command1_Click},
    {"Command2", &core::Form::Command2_Click},
    {"Command3", &core::Form::Command3_Click},
    {"Command4", &core::Form::Command4_Click},
    {"Command5", &core::Form::Command5_Click},
    {"Command6", &core::Form::Command6_Click},
    {"Command7", &core::Form::Command7_Click},
    {"Command8", &core::Form::Command8_Click},
    {"Command9", &core::Form::Command9_Click},
}};

constexpr int framePenWidth = 2;
constexpr double frameCornerRadius = 6;

int px(int twips) { return static_cast<int>(pixels(twips)); }

QString qstr(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

render::Units unitsOf(PanelUnits units)
{
    return units == PanelUnits::Pixels ? render::Units::Pixels : render::Units::Twips;
}

template <typename Map> auto& lookup(const Map& map, std::string_view name)
{
    const auto found = map.find(name);
    if (found == map.end())
        throw std::logic_error("layout has no control " + std::string(name));
    return *found->second;
}
} // namespace

std::string systemDecimalSeparator() { return QLocale::system().decimalPoint().toStdString(); }

MainWindow::MainWindow(std::string decimalSeparator)
    : decimalSeparator_(std::move(decimalSeparator))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qstr(windowCaption));
    initResources();
    // The installed theme icon is sharper in large sizes; the built-in 32 x 32 always exists.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.tessarion.tessarion"),
                                   QIcon(QStringLiteral(":/icons/tessarion.ico"))));
    setFixedSize(px(clientWidthTwips), px(clientHeightTwips));
    build();
    bindHandlers();
    form_->Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::build()
{
    for (const ControlSpec& spec : windowLayout()) {
        switch (spec.kind) {
        case ControlKind::Panel: addPanel(spec); break;
        case ControlKind::TextField: addTextField(spec); break;
        case ControlKind::LineFigure: addLineFigure(spec); break;
        case ControlKind::Label: addLabel(spec); break;
        case ControlKind::Button: addButton(spec); break;
        case ControlKind::Timer: timer1_ = new PreciseTimer(this); break;
        case ControlKind::Frame: frames_.push_back(&spec); break;
        }
    }
    setTabOrder();
    // The first stop of the tab order has the focus when the window opens.
    tabStops_.front().second->setFocus();
}

QWidget* MainWindow::containerOf(const ControlSpec& spec)
{
    return spec.container.empty() ? static_cast<QWidget*>(this) : &lookup(panels_, spec.container);
}

QPoint MainWindow::placeOf(const ControlSpec& spec) const
{
    // Inside a panel, places count from the inner area, within the sunken border.
    const int border = spec.container.empty() ? 0 : panelBorderPixels;
    return {px(spec.left) + border, px(spec.top) + border};
}

void MainWindow::addPanel(const ControlSpec& spec)
{
    auto* panel = new PanelWidget(this, QSize(px(spec.width), px(spec.height)), unitsOf(spec.units),
                                  spec.foreColor);
    panel->setObjectName(qstr(spec.name));
    panel->setAccessibleName(qstr(spec.accessibleName));
    panel->move(placeOf(spec));
    if (spec.units == PanelUnits::User)
        panel->surface().Scale(render::flags::firstPoint, 0, 0, spec.scaleWidth, spec.scaleHeight);
    panels_.emplace(spec.name, panel);
    tabStops_.emplace_back(spec.tabIndex, panel);
}

void MainWindow::addTextField(const ControlSpec& spec)
{
    auto* field = new ReadoutField(containerOf(spec));
    field->setObjectName(qstr(spec.name));
    field->setAccessibleName(qstr(spec.accessibleName));
    field->setGeometry(QRect(placeOf(spec), QSize(px(spec.width), px(spec.height))));
    field->setAlignment(spec.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    field->setText(spec.caption);
    if (spec.backColor != 0)
        field->setBackColor(spec.backColor);
    fields_.emplace(spec.name, field);
    tabStops_.emplace_back(spec.tabIndex, field);
}

void MainWindow::addLineFigure(const ControlSpec& spec)
{
    render::Surface& surface = lookup(panels_, spec.container).surface();
    render::LineFigure& figure =
        surface.addLineFigure({pixels(spec.left), pixels(spec.top)},
                              {pixels(spec.width), pixels(spec.height)}, spec.lineWidth);
    if (spec.index >= 0)
        Linl_.assign(spec.index, figure);
    else
        figures_.emplace(spec.name, &figure);
}

void MainWindow::addLabel(const ControlSpec& spec)
{
    auto* label = new QLabel(qstr(spec.caption), containerOf(spec));
    label->setObjectName(qstr(spec.name));
    label->setGeometry(QRect(placeOf(spec), QSize(px(spec.width), px(spec.height))));
    label->setAlignment((spec.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    if (spec.largeFont)
        label->setFont(largeLabelFont());
    // Labels lie on their container's surface, beneath every other control.
    label->lower();
    label->setVisible(spec.visible);
}

void MainWindow::addButton(const ControlSpec& spec)
{
    auto* button = new PushButton(qstr(spec.caption), this);
    button->setObjectName(qstr(spec.name));
    button->setAccessibleName(qstr(spec.accessibleName));
    button->setGeometry(QRect(placeOf(spec), QSize(px(spec.width), px(spec.height))));
    const auto handler =
        std::find_if(buttonHandlers.begin(), buttonHandlers.end(),
                     [&spec](const auto& entry) { return entry.first == spec.name; });
    if (handler != buttonHandlers.end())
        connect(button, &QPushButton::clicked, this,
                [this, method = handler->second] { (form_.get()->*method)(); });
    tabStops_.emplace_back(spec.tabIndex, button);
}

void MainWindow::setTabOrder()
{
    std::sort(tabStops_.begin(), tabStops_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops_.size(); ++i)
        QWidget::setTabOrder(tabStops_[i - 1].second, tabStops_[i].second);
}

void MainWindow::bindHandlers()
{
    core::FormControls controls;
    controls.Text1 = &lookup(fields_, "Text1");
    controls.Text2 = &lookup(fields_, "Text2");
    controls.Text3 = &lookup(fields_, "Text3");
    controls.Text4 = &lookup(fields_, "Text4");
    controls.Text5 = &lookup(fields_, "Text5");
    controls.Text6 = &lookup(fields_, "Text6");
    controls.Text7 = &lookup(fields_, "Text7");
    controls.Timer1 = timer1_;
    controls.P1 = &lookup(panels_, "P1").surface();
    controls.p2 = &lookup(panels_, "p2").surface();
    controls.p3 = &lookup(panels_, "p3").surface();
    controls.p4 = &lookup(panels_, "p4").surface();
    form_ = std::make_unique<core::Form>(controls, decimalSeparator_);

    render::bindPainters(*form_, {
                                     .P1 = lookup(panels_, "P1").surface(),
                                     .spring = {.Lin1 = lookup(figures_, "Lin1"),
                                                .Linl = Linl_,
                                                .Lin2 = lookup(figures_, "Lin2")},
                                     .p2 = lookup(panels_, "p2").surface(),
                                     .p3 = lookup(panels_, "p3").surface(),
                                     .Line3 = lookup(figures_, "Line3"),
                                     .p4 = lookup(panels_, "p4").surface(),
                                 });
    connect(timer1_, &PreciseTimer::tick, this, [this] { form_->Timer1_Timer(); });
}

PanelWidget* MainWindow::panel(std::string_view name) const
{
    const auto found = panels_.find(name);
    return found == panels_.end() ? nullptr : found->second;
}

render::LineFigure* MainWindow::lineFigure(std::string_view name) const
{
    const auto found = figures_.find(name);
    return found == figures_.end() ? nullptr : found->second;
}

void MainWindow::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    drawFrames(painter);
}

void MainWindow::drawFrames(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (const ControlSpec* frame : frames_) {
        painter.setPen(QPen(toQColor(frame->foreColor), framePenWidth));
        const QRectF outline(px(frame->left), px(frame->top), px(frame->width), px(frame->height));
        const double inset = framePenWidth / 2.0;
        painter.drawRoundedRect(outline.adjusted(inset, inset, -inset, -inset), frameCornerRadius,
                                frameCornerRadius);
    }
}

} // namespace tessarion::ui
