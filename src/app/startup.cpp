#include <cmath>
#include <exception>
#include <system_error>

#include "app/session.h"
#include "conditions/layout.h"
#include "conditions/loader.h"
#include "conditions/macro_registry.h"
#include "ui/app_identity.h"
#include "ui/status.h"
#include "workbook/file_replace.h"
#include "workbook/reading_modes.h"
#include "workbook/workbook_error.h"
#include "workbook/writer_lock.h"

namespace tsumiki {

namespace {

using workbook::AppState;
using workbook::WorkbookError;

workbook::CellValue ReadOne(const workbook::Workbook& book, const layout::NameSpec& name_spec) {
  return book.ReadCell(layout::Range(book, name_spec), 1, 1);
}

WorkbookError::Place PlaceOf(const workbook::Workbook& book, const layout::NameSpec& name_spec) {
  return WorkbookError::Place{
      book.Path().string(), std::string(name_spec.sheet), std::string(name_spec.name), {}};
}

// What the planner is told when the workbook cannot be opened.
std::string OpenFailureMessage(const WorkbookError& error, const std::filesystem::path& path) {
  switch (error.kind()) {
    case WorkbookError::Kind::kFileNotFound:
      return std::string(kWorkbookMissingLead) + path.string() + "\n" +
             std::string(kWorkbookMissingHint);
    case WorkbookError::Kind::kLegacyFormat:
      if (path.extension() == ".xls") {
        return std::string(kLegacyWorkbookLead) + path.string() + "\n" +
               std::string(kLegacyWorkbookHint);
      }
      return error.JapaneseMessage();
    default:
      return error.JapaneseMessage();
  }
}

}  // namespace

std::string LocateWorkbookName(const std::filesystem::path& directory, std::string_view version) {
  const int major = static_cast<int>(std::floor(workbook::LeadingNumber(version)));
  if (major >= 9 && major <= 11) return std::string(kWorkbookXls);
  std::error_code ignored;
  if (std::filesystem::exists(directory / std::string(kWorkbookXlsm), ignored)) {
    return std::string(kWorkbookXlsm);
  }
  return std::string(kWorkbookXls);
}

std::filesystem::path ResolveWorkbookPath(const std::filesystem::path& start_dir,
                                          const std::filesystem::path& given) {
  std::error_code ec;
  const std::filesystem::path absolute = given.is_absolute() ? given : start_dir / given;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, ec);
  return ec ? absolute.lexically_normal() : resolved;
}

PixelPoint PlaceAtBottomRight(const PixelSize& window, const ScreenMetrics& screen) {
  const int cx = screen.twips_per_pixel_x > 0 ? screen.width_twips / screen.twips_per_pixel_x : 0;
  const int cy = screen.twips_per_pixel_y > 0 ? screen.height_twips / screen.twips_per_pixel_y : 0;
  return PixelPoint{cx - window.width - 16, cy - window.height - 28};
}

Session::Session(Host& host, SessionOptions options)
    : host_(host),
      options_(std::move(options)),
      random_(options_.seed ? RandomSource(*options_.seed) : RandomSource()) {
  // The abort buttons and Ctrl-C reach the run only through this flag.
  host_.SetAbortHandler([this] { run_.AbortRequested = true; });
}

Session::~Session() {
  host_.SetAbortHandler(nullptr);
}

EngineContext Session::Context() {
  return EngineContext{*book_, host_, model_, run_, values_, random_};
}

void Session::ReadStartConditions() {
  const workbook::Workbook& book = *book_;
  model_.AttemptsPerDay =
      workbook::ValueToInt(ReadOne(book, layout::kAttempts), PlaceOf(book, layout::kAttempts));
  model_.TimeLimitMinutes =
      workbook::ValueToSingle(ReadOne(book, layout::kTimeLimit), PlaceOf(book, layout::kTimeLimit));
  model_.CreateStartDay = workbook::ValueToInt(ReadOne(book, layout::kStartDayOfMonth),
                                               PlaceOf(book, layout::kStartDayOfMonth));
  model_.BaseStartDay = workbook::ValueToInt(ReadOne(book, layout::kBaseStartDay),
                                             PlaceOf(book, layout::kBaseStartDay));
  model_.CreateYear =
      workbook::ValueToInt(ReadOne(book, layout::kYear), PlaceOf(book, layout::kYear));
  model_.CreateMonth =
      workbook::ValueToInt(ReadOne(book, layout::kMonth), PlaceOf(book, layout::kMonth));
}

void Session::ReadCreationMode() {
  values_.CreationMode = kModeStaffingFirst;
  try {
    const workbook::CellValue value = ReadOne(*book_, layout::kCreationMode);
    const double number = workbook::ValueTextToDouble(value);
    const int mode = workbook::RoundHalfEven(number);
    // The menu has items 0..2 only; anything else keeps the safe mode.
    if (mode >= kModeMinimiseSingleHigh && mode <= kModeStaffingFirst) values_.CreationMode = mode;
  } catch (const std::exception&) {
    // A workbook without the mode cell starts in mode 2.
  }
}

std::filesystem::path Session::WorkbookToOpen() const {
  if (options_.workbook) return ResolveWorkbookPath(options_.start_dir, *options_.workbook);
  const std::string version = workbook::Workbook::CreateEmpty(true)->Version();
  return ResolveWorkbookPath(options_.start_dir, LocateWorkbookName(options_.start_dir, version));
}

bool Session::StartUp() {
  // 1-2: the main window on top in the bottom-right corner, with its caption.
  host_.SetTopmost(WindowId::kMain, true);
  const PixelPoint place = PlaceAtBottomRight(host_.WindowSize(WindowId::kMain), host_.Screen());
  host_.MoveWindow(WindowId::kMain, place.left, place.top);
  const std::string caption = TitleWithVersion();
  host_.SetWindowCaption(WindowId::kMain, caption);
  // 3
  ShowStatus(host_, caption + std::string(kStartingSuffix), kDefaultColour, kDefaultColour,
             /*topmost=*/true, values_.StatusPosition);

  std::filesystem::path path;
  try {
    // 4-5
    values_.StartDir = options_.start_dir.string();
    values_.ExcelVersion = workbook::Workbook::CreateEmpty(true)->Version();
    path = WorkbookToOpen();
    values_.WorkbookName = path.filename().string();
    if (options_.workbook) values_.StartDir = path.parent_path().string();
    values_.WorkbookPath = path.string();
    // What saves that were killed midway left behind.
    workbook::RemoveStaleTemporaries(path.parent_path());
    workbook::RemoveStaleLock(path);
    book_ = workbook::Workbook::Open(path);
    layout::AttachLayout(*book_);
    // 6-7
    book_->SetAppState(
        AppState{.screen_updating = false, .automatic_calculation = false, .events = false});
    book_->ActivateSheet(layout::kSheetRoster);
    // 8
    LoadCounts(*book_, model_);
    // 9
    ReadStartConditions();
  } catch (const WorkbookError& error) {
    book_.reset();
    ShowStatus(host_, "", kDefaultColour, kDefaultColour, /*topmost=*/false,
               values_.StatusPosition);
    host_.MessageBox(OpenFailureMessage(error, path), kStartupErrorTitle, MsgButtons::kOk,
                     MsgIcon::kCritical);
    return false;
  }
  // 10
  host_.DoEvents();
  // 11-12
  ReadCreationMode();
  host_.SetModeTick(values_.CreationMode);
  // 13-15
  book_->SetAppState(
      AppState{.screen_updating = true, .automatic_calculation = true, .events = true});
  random_.Reseed(host_);
  host_.HideStatusWindow();
  return true;
}

}  // namespace tsumiki
