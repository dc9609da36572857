// The transparent label (TransLabel): a child window that never fills its
// rectangle and draws only its caption, so that the picture box or window
// behind it shows between and around the letters. Because nothing of its own
// ever covers old glyphs, every change of its look, place or size first has
// the windows behind it repaint the area it covers, back to front, and only
// then paints the caption anew.
#include "widgets/trans_label/trans_label.h"

#include <utility>
#include <vector>

#include "widgets/common/accessible.h"
#include "widgets/common/caption.h"
#include "widgets/common/unit_look.h"
#include "widgets/common/unit_window.h"
#include "widgets/trans_label/trans_label_properties.h"

namespace {

const char kClassName[] = "MorvaneTransLabel";

struct TransLabel : UnitState<TransLabelProperties> {
  // Static text to screen readers, named by its caption.
  static const AccessibleFacts kAccessible;
  static void Paint(HWND hwnd, TransLabel& label, const PaintRequest& request);
  UnitFont font;
};

LRESULT TransLabelProc(HWND hwnd, TransLabel* label, UINT message, WPARAM wParam, LPARAM lParam);

// Painting: the caption only, over what the windows behind have painted.
void TransLabel::Paint(HWND hwnd, TransLabel& label, const PaintRequest& request) {
  RECT client;
  GetClientRect(hwnd, &client);
  DrawCaption(request.dc, client, WindowText(hwnd),
              CaptionLookOf(label.properties, label.font.Get()));
}

// The visible windows below `parent`, from the top of the Z order down, each
// child's own descendants before the child itself.
void CollectVisibleDescendants(HWND parent, std::vector<HWND>* windows) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    CollectVisibleDescendants(child, windows);
    windows->push_back(child);
  }
}

// Has every window behind the label repaint the area it covers, then the
// label itself. The windows are walked from the bottom of the Z order up, a
// parent before its children, so that each paints over the one behind it;
// a parent's painting is not clipped by a WS_EX_TRANSPARENT child, so the
// old glyphs are painted over by whatever lies beneath them. A hidden label
// shows no glyphs and needs none of this.
void RefreshAreaBehind(HWND label) {
  if (!IsWindowVisible(label)) return;
  // The top-level window that holds the label: a window unit is a popup or
  // has no parent.
  HWND host = GetAncestor(label, GA_ROOT);
  RECT area;
  GetClientRect(label, &area);
  MapWindowPoints(label, nullptr, reinterpret_cast<POINT*>(&area), 2);
  RECT inHost = area;
  MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&inHost), 2);
  InvalidateRect(host, &inHost, TRUE);
  UpdateWindow(host);
  std::vector<HWND> windows;
  CollectVisibleDescendants(host, &windows);
  for (size_t i = windows.size(); i-- > 0;) {
    RECT rect, common;
    GetWindowRect(windows[i], &rect);
    if (!IntersectRect(&common, &rect, &area)) continue;
    MapWindowPoints(nullptr, windows[i], reinterpret_cast<POINT*>(&common), 2);
    RedrawWindow(windows[i], &common, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
  }
  InvalidateRect(label, nullptr, FALSE);
}

// WM_MOVE and WM_SIZE, after the system has placed the window: the area it
// now covers gets a fresh background (the area it left is the parent's to
// repaint), and a caption that moved with the size leaves no old glyphs.
void OnPlaced(HWND hwnd) { RefreshAreaBehind(hwnd); }

// The unit operations.

HWND CreateTransLabel(const UnitCreateArgs& args) {
  std::unique_ptr<TransLabel> state = NewUnitState<TransLabel>(kTransLabelDescription, args);
  if (!state) return nullptr;
  state->font.Set(state->properties.font);
  UnitWindowClass labelClass;
  labelClass.name = kClassName;
  labelClass.background = HBRUSH(GetStockObject(NULL_BRUSH));
  UnitWindowStyle style;
  style.text = state->properties.caption.c_str();
  style.exStyle = WS_EX_TRANSPARENT;
  return CreateUnitWindow<TransLabel, TransLabelProc>(labelClass, args, style, std::move(state));
}

bool PropertyChanged(HWND hwnd, int unitIndex, const Value&) {
  TransLabel* label = UnitStateOf<TransLabel>(hwnd);
  switch (unitIndex) {
    case kTransLabelCaption:
      SetWindowTextTo(hwnd, label->properties.caption);
      break;
    case kTransLabelFont:
      label->font.Set(label->properties.font);
      break;
  }
  RefreshAreaBehind(hwnd);
  return false;
}

LRESULT TransLabelProc(HWND hwnd, TransLabel*, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_MOVE:
    case WM_SIZE: {
      const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      OnPlaced(hwnd);
      return result;
    }
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

const AccessibleFacts TransLabel::kAccessible = kStaticTextFacts;

}  // namespace

const UnitOperations kTransLabelUnit =
    UnitClassOperations<TransLabel>(kTransLabelDescription, CreateTransLabel, PropertyChanged);
