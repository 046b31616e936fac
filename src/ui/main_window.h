#pragma once

#include "core/form.h"
#include "render/surface.h"

#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessarion::ui {

struct ControlSpec;
class PanelWidget;
class PreciseTimer;
class ReadoutField;

/// The decimal separator of the user's regional settings.
std::string systemDecimalSeparator();

/// The program's one window, built from the layout table; then the start-up handler runs.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    /// Builds every control, binds the handlers and runs Form_Load.
    explicit MainWindow(std::string decimalSeparator = systemDecimalSeparator());
    ~MainWindow() override;

    /// The state and handlers behind the window.
    core::Form& form() { return *form_; }
    /// A panel by its layout name, or nullptr.
    PanelWidget* panel(std::string_view name) const;
    /// A line figure by its layout name, or nullptr; group elements through `Linl()`.
    render::LineFigure* lineFigure(std::string_view name) const;
    /// The spring's twelve segments.
    const render::LineFigureGroup& Linl() const { return Linl_; }
    /// The animation timer.
    PreciseTimer& timer1() const { return *timer1_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void build();
    void addPanel(const ControlSpec& spec);
    void addTextField(const ControlSpec& spec);
    void addLineFigure(const ControlSpec& spec);
    void addLabel(const ControlSpec& spec);
    void addButton(const ControlSpec& spec);
    QWidget* containerOf(const ControlSpec& spec);
    QPoint placeOf(const ControlSpec& spec) const;
    void setTabOrder();
    void bindHandlers();
    void drawFrames(QPainter& painter);

    std::map<std::string, PanelWidget*, std::less<>> panels_;
    std::map<std::string, ReadoutField*, std::less<>> fields_;
    std::map<std::string, render::LineFigure*, std::less<>> figures_;
    std::vector<std::pair<int, QWidget*>> tabStops_;
    std::vector<const ControlSpec*> frames_;
    render::LineFigureGroup Linl_;
    PreciseTimer* timer1_ = nullptr;
    std::string decimalSeparator_;
    std::unique_ptr<core::Form> form_;
};

} // namespace tessarion::ui
