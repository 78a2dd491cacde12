#include "toolkit/CFrame.h"

#include <cstring>

#include "toolkit/AEffGUIEditor.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/COptionMenu.h"
#include "toolkit/Clock.h"

namespace VSTGUI {

CFrame::CFrame(const CRect& rect, void* parent, AEffGUIEditor* owner)
    : CViewContainer(rect, nullptr, nullptr), parentWindow(parent), editor(owner) {
    pParentFrame = this;
    // A host that opens the editor again without closing it first: the frame of
    // the first open goes, so its window does not linger in the host.
    if (editor) editor->frameCreated(this);
    window = platform::createWindow(parent, rect.width(), rect.height());
    if (window) {
        device = &window->backBuffer();
        noteDesktopDoubleClickTime(window->doubleClickTime());
    } else {
        offscreen = platform::createOffscreen(rect.width(), rect.height());
        device = offscreen.get();
    }
    setDirty(true);
}

CFrame::~CFrame() {
    if (window && popupOwner) window->closePopupList();
    if (window && editOwner) window->closeEditBox();
    popupOwner = nullptr;
    editOwner = nullptr;
    focusView = nullptr;
    modalView = nullptr;
    removeAll(true);
    device = nullptr;
    window.reset();
    offscreen.reset();
    if (editor) editor->frameDestroyed(this);
}

bool CFrame::idle() {
    pumpEvents(dispatching > 0);
    redrawDirty();
    return true;
}

void CFrame::doIdleStuff() {
    if (editor) {
        editor->doIdleStuff();
    } else {
        idle();
        toolkitClock().sleep(1);
    }
}

int CFrame::getTicks() const { return toolkitClock().ticks(); }

bool CFrame::beginEdit(int index) { return editor ? editor->beginEdit(index) : false; }
bool CFrame::endEdit(int index) { return editor ? editor->endEdit(index) : false; }

void CFrame::drawView(CView* view) {
    if (!view || !device) return;
    CDrawContext context(this, device);
    if (view == this || (view->getTransparency() && !view->isContainer())) {
        drawRect(&context, view->getSize());
        view->setDirty(false);
    } else {
        view->draw(&context);
    }
    present(context.takeDrawnAreas());
}

int CFrame::onKeyDown(VstKeyCode& keyCode) {
    if (window && editOwner && window->editBoxOpen()) return window->editBoxKey(keyCode) ? 1 : -1;
    if (focusView && focusView != this) return focusView->onKeyDown(keyCode);
    return -1;
}

int CFrame::onKeyUp(VstKeyCode& keyCode) {
    if (window && editOwner && window->editBoxOpen()) return 1;
    if (focusView && focusView != this) return focusView->onKeyUp(keyCode);
    return -1;
}

void CFrame::mouse(CDrawContext* context, CPoint& where, int buttons) {
    if (buttons == -1) buttons = context ? context->getMouseButtons() : getCurrentMouseButtons();
    if (modalView) {
        modalView->mouse(context, where, buttons);
        return;
    }
    CViewContainer::mouse(context, where, buttons);
}

bool CFrame::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CFrame") == 0) || CViewContainer::isTypeOf(className);
}

int CFrame::getCurrentMouseButtons() { return window ? window->mouseButtons() : 0; }

bool CFrame::getCurrentMouseLocation(CPoint& where) {
    if (!window) return false;
    where = window->mouseLocation();
    return true;
}

void CFrame::invalidateArea(const CRect& area) {
    if (!area.isEmpty()) damage.push_back(area);
}

bool CFrame::contains(CView* root, const CView* view) {
    if (root == view) return true;
    if (!root || !root->isContainer()) return false;
    auto* container = static_cast<CViewContainer*>(root);
    for (int i = 0; i < container->getNbViews(); ++i) {
        if (contains(container->getView(i), view)) return true;
    }
    return false;
}

void CFrame::viewWillGo(CView* view) {
    if (!view || view == this) return;
    if (focusView && contains(view, focusView)) focusView = nullptr;
    if (modalView && contains(view, modalView)) modalView = nullptr;
    if (editOwner && contains(view, editOwner)) {
        if (window) window->closeEditBox();
        editOwner = nullptr;
    }
    if (popupOwner && contains(view, popupOwner)) {
        if (window) window->closePopupList();
        popupOwner = nullptr;
    }
}

bool CFrame::openEditBox(CView* owner, const platform::EditBoxSpec& spec) {
    if (!window || !owner) return false;
    if (editOwner && editOwner != owner) {
        CDrawContext context(this, device);
        editOwner->looseFocus(&context);
        present(context.takeDrawnAreas());
    }
    if (!window->openEditBox(spec)) return false;
    editOwner = owner;
    editArea = spec.area;
    return true;
}

std::string CFrame::editBoxText() const { return window ? window->editBoxText() : std::string(); }

void CFrame::closeEditBox(const CView* owner) {
    if (!owner || owner != editOwner) return;
    if (window) window->closeEditBox();
    editOwner = nullptr;
}

bool CFrame::openPopupList(COptionMenu* owner, const platform::PopupSpec& spec) {
    if (!window || !owner || popupOwner) return false;
    if (!window->openPopupList(spec)) return false;
    popupOwner = owner;
    return true;
}

void CFrame::pumpEvents(bool exposeOnly) {
    if (!window) return;
    platform::Event event;
    while (window->nextEvent(event, exposeOnly)) dispatch(event);
}

void CFrame::dispatch(const platform::Event& event) {
    using platform::Event;
    switch (event.type) {
    case Event::kExpose: exposed.push_back(event.area); return;
    case Event::kDestroyed:
    case Event::kNone:
    case Event::kButtonUp: return;
    default: break;
    }
    ++dispatching;
    CDrawContext context(this, device);
    CPoint where = event.where;
    switch (event.type) {
    case Event::kButtonDown:
        mouse(&context, where, event.buttons);
        // A click anywhere else in the window ends an open text edit.
        if (editOwner && !editArea.containsInclusive(event.where)) editOwner->looseFocus(&context);
        break;
    case Event::kWheel:
        onWheel(&context, where, event.axis == 0 ? kMouseWheelAxisX : kMouseWheelAxisY, event.distance);
        break;
    case Event::kKeyDown: {
        VstKeyCode key = event.key;
        onKeyDown(key);
        break;
    }
    case Event::kKeyUp: {
        VstKeyCode key = event.key;
        onKeyUp(key);
        break;
    }
    case Event::kEditBoxEnded:
        if (editOwner && window->editBoxOpen()) editOwner->looseFocus(&context);
        break;
    case Event::kPopupClosed:
        if (popupOwner) {
            COptionMenu* owner = popupOwner;
            popupOwner = nullptr;
            owner->popupClosed(&context, event.index);
        }
        break;
    default: break;
    }
    present(context.takeDrawnAreas());
    --dispatching;
}

void CFrame::redrawDirty() {
    if (!device) return;
    CDrawContext context(this, device);
    if (!damage.empty()) {
        std::vector<CRect> areas;
        areas.swap(damage);
        for (const CRect& area : areas) drawRect(&context, area);
    }
    update(&context);
    std::vector<CRect> areas = context.takeDrawnAreas();
    for (const CRect& area : exposed) areas.push_back(area);
    exposed.clear();
    present(areas);
}

void CFrame::present(const std::vector<CRect>& areas) {
    if (!window) return;
    for (const CRect& area : areas) window->present(area);
}

}  // namespace VSTGUI
