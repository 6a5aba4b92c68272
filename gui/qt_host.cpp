#include "gui/qt_host.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>
#include <QTime>
#include <QTimer>
#include <QUrl>
#include <cmath>

#include "gui/main_panel.h"
#include "gui/message_box.h"
#include "gui/optimise_window.h"
#include "gui/placement.h"
#include "gui/progress_window.h"
#include "gui/splash_window.h"

namespace tsumiki::gui {

namespace {
constexpr int kPumpIntervalMs = 10;
// How often a busy core lets Qt's event loop run at most.
constexpr std::int64_t kEventsIntervalMs = 8;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

QtHost::QtHost(bool virtual_clock, QObject* parent)
    : QObject(parent), virtual_clock_(virtual_clock) {
  clock_.start();
}

QtHost::~QtHost() = default;

ProgressWindow* QtHost::Progress() {
  if (!progress_) progress_ = std::make_unique<ProgressWindow>([this] { RequestAbort(); });
  return progress_.get();
}

OptimiseWindow* QtHost::Optimise() {
  if (!optimise_) optimise_ = std::make_unique<OptimiseWindow>([this] { RequestAbort(); });
  return optimise_.get();
}

void QtHost::RegisterWindow(WindowId window, QWidget* widget) {
  windows_[window] = widget;
}

QWidget* QtHost::Window(WindowId window) const {
  switch (window) {
    case WindowId::kStatus:
      return splash_.get();
    case WindowId::kProgress:
      return progress_.get();
    case WindowId::kOptimise:
      return optimise_.get();
    default:
      break;
  }
  const auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.data();
}

void QtHost::RegisterForm(const std::string& form_name, std::function<void()> show,
                          std::function<void()> close) {
  forms_[form_name] = Form{std::move(show), std::move(close)};
}

QWidget* QtHost::PlacementParent() const {
  QWidget* active = QApplication::activeWindow();
  for (const auto& [id, window] : windows_) {
    if (window != nullptr && window == active && window->isVisible()) return active;
  }
  return dialog_parent_;
}

SplashWindow* QtHost::Splash() {
  if (!splash_) splash_ = std::make_unique<SplashWindow>();
  return splash_.get();
}

MsgResult QtHost::MessageBox(std::string_view text, std::string_view title, MsgButtons buttons,
                             MsgIcon icon) {
  const QRect keep_clear = keep_clear_ ? keep_clear_() : QRect();
  if (keep_clear.isValid()) {
    for (const WindowId id : {WindowId::kReadjust, WindowId::kMain}) {
      QWidget* window = Window(id);
      if (window == nullptr || !window->isVisible()) continue;
      if (window->frameGeometry().intersects(keep_clear)) {
        const QRect screen = window->screen() != nullptr ? window->screen()->availableGeometry()
                                                         : window->frameGeometry();
        window->move(AwayFrom(keep_clear, window->frameGeometry().size(), screen));
      }
    }
  }
  return ShowMessageBox(PlacementParent(), FromUtf8(text), FromUtf8(title), buttons, icon,
                        keep_clear);
}

void QtHost::ShowStatusWindow(const StatusView& view) {
  if (view.text.empty()) {
    HideStatusWindow();
    return;
  }
  // A new text replaces the one held.
  banner_until_ms_ = 0;
  if (banner_timer_ != nullptr) banner_timer_->stop();
  const ScreenMetrics screen = Screen();
  SplashWindow* splash = Splash();
  splash->Present(view, screen.twips_per_pixel_x, screen.twips_per_pixel_y);
  splash->show();
  splash->raise();
}

void QtHost::HideStatusWindow() {
  const std::int64_t left = banner_until_ms_ - clock_.elapsed();
  if (left > 0 && !input_seen_ && splash_ && splash_->isVisible()) {
    // The banner of a pause that was not waited for stays its time.
    banner_timer_->start(static_cast<int>(left));
    return;
  }
  banner_until_ms_ = 0;
  if (splash_) splash_->hide();
}

void QtHost::HoldBanner(int milliseconds) {
  if (banner_timer_ == nullptr) {
    banner_timer_ = new QTimer(this);
    banner_timer_->setSingleShot(true);
    connect(banner_timer_, &QTimer::timeout, this, [this] {
      banner_until_ms_ = 0;
      HideStatusWindow();
    });
  }
  banner_until_ms_ = clock_.elapsed() + milliseconds;
}

void QtHost::Pause(int milliseconds) {
  if (!watching_input_) {
    QCoreApplication::instance()->installEventFilter(this);
    watching_input_ = true;
  }
  input_seen_ = false;
  if (pause_needless_ && pause_needless_()) {
    if (!virtual_clock_) HoldBanner(milliseconds);
    DoEvents();
    return;
  }
  const std::int64_t end = MonotonicMs() + milliseconds;
  do {
    Sleep(10);
    DoEvents();
  } while (!input_seen_ && MonotonicMs() < end);
}

bool QtHost::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
      input_seen_ = true;
      // A held banner goes with the planner's first click or key.
      if (banner_until_ms_ > 0 && banner_timer_ != nullptr && banner_timer_->isActive()) {
        banner_timer_->stop();
        banner_until_ms_ = 0;
        if (splash_) splash_->hide();
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

ScreenMetrics QtHost::Screen() const {
  ScreenMetrics metrics;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return metrics;
  const QRect geometry = screen->geometry();
  const double dpi = screen->logicalDotsPerInch();
  const int twips = dpi > 0 ? std::max(1, static_cast<int>(std::lround(1440.0 / dpi))) : 15;
  metrics.twips_per_pixel_x = twips;
  metrics.twips_per_pixel_y = twips;
  metrics.width_twips = geometry.width() * twips;
  metrics.height_twips = geometry.height() * twips;
  return metrics;
}

void QtHost::DoEvents() {
  // The searches let events run after every few moves; a pass of Qt's loop each
  // time would cost more than the moves. Clicks and repaints still come through
  // within a few milliseconds. The virtual clock of the tests runs every call.
  if (!virtual_clock_) {
    const std::int64_t now = clock_.elapsed();
    if (now - last_events_ms_ < kEventsIntervalMs) return;
    last_events_ms_ = now;
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  PumpTimers();
}

void QtHost::Sleep(int milliseconds) {
  if (milliseconds <= 0) return;
  if (virtual_clock_) {
    virtual_now_ms_ += milliseconds;
    return;
  }
  QThread::msleep(static_cast<unsigned long>(milliseconds));
}

std::int64_t QtHost::MonotonicMs() const {
  return virtual_clock_ ? virtual_now_ms_ : clock_.elapsed();
}

double QtHost::SecondsSinceMidnight() const {
  if (virtual_clock_) return static_cast<double>(virtual_now_ms_ % 86'400'000) / 1000.0;
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

Host::TimerId QtHost::StartTimer(int interval_ms, std::function<void()> on_tick) {
  if (pump_ == nullptr) {
    pump_ = new QTimer(this);
    pump_->setInterval(kPumpIntervalMs);
    connect(pump_, &QTimer::timeout, this, &QtHost::PumpTimers);
    pump_->start();
  }
  return Host::StartTimer(interval_ms, std::move(on_tick));
}

void QtHost::PumpTimers() {
  // A tick may open a message box whose own loop calls back here; one level only.
  if (pumping_) return;
  pumping_ = true;
  RunDueTimers();
  pumping_ = false;
}

void QtHost::AdvanceClock(std::int64_t milliseconds) {
  virtual_now_ms_ += milliseconds;
  PumpTimers();
}

void QtHost::ShowExplanation(std::string_view title, std::string_view text) {
  last_explanation_ = new ExplanationWindow(FromUtf8(title), FromUtf8(text));
  last_explanation_->show();
}

bool QtHost::OpenUrl(std::string_view address) {
  return QDesktopServices::openUrl(QUrl(FromUtf8(address)));
}

}  // namespace tsumiki::gui

namespace tsumiki::gui {

void QtHost::SetTopmost(WindowId window, bool topmost) {
  QWidget* widget = Window(window);
  if (widget == nullptr) return;
  if (auto* panel = qobject_cast<MainPanel*>(widget)) {
    panel->SetTopmost(topmost);
    return;
  }
  if (widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) return;
  const bool was_visible = widget->isVisible();
  widget->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
  if (was_visible) widget->show();
}

PixelSize QtHost::WindowSize(WindowId window) const {
  const QWidget* widget = Window(window);
  if (widget == nullptr) return {};
  // Before the first show the frame is not known yet; the widget's own size is
  // the best estimate.
  const QSize size = widget->isVisible() ? widget->frameGeometry().size() : widget->size();
  return PixelSize{size.width(), size.height()};
}

void QtHost::MoveWindow(WindowId window, int left_px, int top_px) {
  if (QWidget* widget = Window(window)) widget->move(left_px, top_px);
}

void QtHost::SetWindowCaption(WindowId window, std::string_view caption) {
  if (QWidget* widget = Window(window)) widget->setWindowTitle(FromUtf8(caption));
}

void QtHost::SetModeTick(int mode) {
  if (auto* panel = qobject_cast<MainPanel*>(Window(WindowId::kMain))) panel->SetModeTick(mode);
}

void QtHost::ShowProgressWindow(const ProgressView& view) {
  const ScreenMetrics screen = Screen();
  Progress()->Present(view, screen.twips_per_pixel_x, screen.twips_per_pixel_y);
}

void QtHost::HideProgressWindow() {
  if (progress_) progress_->hide();
}

void QtHost::ShowOptimiseWindow(const OptimiseView& view) {
  const ScreenMetrics screen = Screen();
  Optimise()->Present(view, screen.twips_per_pixel_x, screen.twips_per_pixel_y);
}

void QtHost::HideOptimiseWindow() {
  if (optimise_) optimise_->hide();
}

void QtHost::ActivateWindow(WindowId window) {
  QWidget* widget = Window(window);
  if (widget == nullptr) return;
  widget->show();
  if (widget->isMinimized()) widget->showNormal();
  widget->raise();
  widget->activateWindow();
}

void QtHost::EndSheetEditing() {
  // An open cell editor in the sheet window is left as the Escape key leaves it:
  // the typing is dropped, the cell keeps its value.
  QWidget* sheets = Window(WindowId::kSheet);
  QWidget* focus = QApplication::focusWidget();
  if (sheets == nullptr || focus == nullptr || !sheets->isAncestorOf(focus)) return;
  if (qobject_cast<QAbstractItemView*>(focus) != nullptr) return;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(focus, &press);
  QCoreApplication::sendEvent(focus, &release);
}

namespace {
// "CSV ファイル (*.csv)|*.csv|*.*" (description|pattern pairs, a lone last
// pattern) as Qt's ";;"-separated filter list.
QString QtFilter(std::string_view filter) {
  const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
  QStringList result;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    if (i + 1 < parts.size()) {
      const QString& description = parts[i];
      const QString& pattern = parts[i + 1];
      result << (description.contains(pattern)
                     ? description
                     : description + QStringLiteral(" (") + QString(pattern).replace(';', ' ') +
                           QLatin1Char(')'));
    } else {
      result << QStringLiteral("すべてのファイル (%1)").arg(parts[i]);
    }
  }
  return result.join(QStringLiteral(";;"));
}

// A name typed without an extension gets the one of the chosen filter ("*.csv"),
// so that the open dialog, filtered the same way, lists the file again.
QString WithExtension(const QString& path, const QString& filter) {
  if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  const QRegularExpressionMatch pattern =
      QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
  return pattern.hasMatch() ? path + QLatin1Char('.') + pattern.captured(1) : path;
}
}  // namespace

std::optional<std::string> QtHost::AskSaveFileName(std::string_view filter,
                                                   std::string_view folder) {
  QString path;
  QString chosen_filter = QtFilter(filter);
  if (file_dialog_hook_) {
    path = QString::fromStdString(file_dialog_hook_(true, filter).value_or(std::string()));
  } else {
    // The save window asks about overwriting itself, in its own words.
    const QString filters = chosen_filter;
    path = QFileDialog::getSaveFileName(PlacementParent(), {}, FromUtf8(folder), filters,
                                        &chosen_filter, QFileDialog::DontConfirmOverwrite);
  }
  path = WithExtension(path, chosen_filter);
  if (path.isEmpty()) return std::nullopt;
  last_file_ = QDir::toNativeSeparators(path);
  return last_file_.toStdString();
}

std::optional<std::string> QtHost::AskOpenFileName(std::string_view filter,
                                                   std::string_view folder) {
  QString path;
  if (file_dialog_hook_) {
    path = QString::fromStdString(file_dialog_hook_(false, filter).value_or(std::string()));
  } else {
    path = QFileDialog::getOpenFileName(PlacementParent(), {}, FromUtf8(folder), QtFilter(filter));
  }
  if (path.isEmpty()) return std::nullopt;
  last_file_ = QDir::toNativeSeparators(path);
  return last_file_.toStdString();
}

void QtHost::ShowForm(std::string_view form_name) {
  const auto it = forms_.find(form_name);
  if (it != forms_.end() && it->second.show) it->second.show();
}

void QtHost::CloseForm(std::string_view form_name) {
  const auto it = forms_.find(form_name);
  if (it != forms_.end() && it->second.close) it->second.close();
}

}  // namespace tsumiki::gui
