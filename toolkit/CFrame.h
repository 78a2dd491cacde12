#pragma once
// The top of the view tree: owns the platform window (a child of the host's
// window, or a top-level window when there is no parent), pumps its events from
// idle, redraws dirty views through the back buffer, and passes edits, idle
// requests and the focus view between the controls and the editor.

#include <memory>
#include <string>
#include <vector>

#include "toolkit/CViewContainer.h"
#include "toolkit/PlatformSeam.h"

class AEffGUIEditor;

namespace VSTGUI {

class COptionMenu;

class CFrame : public CViewContainer {
public:
    // parentWindow: the host's window (an X11 window id on Linux), or null.
    CFrame(const CRect& size, void* parentWindow, AEffGUIEditor* editor);
    ~CFrame() override;

    // Handles the window's pending events, then redraws what is dirty.
    virtual bool idle();
    virtual void doIdleStuff();  // the editor's throttled idle (controls call it while dragging)
    virtual int getTicks() const;
    virtual bool beginEdit(int index);
    virtual bool endEdit(int index);
    virtual void setFocusView(CView* view) { focusView = view; }
    virtual CView* getFocusView() const { return focusView; }
    // Draws one view now through a fresh context and shows it.
    virtual void drawView(CView* view);

    int onKeyDown(VstKeyCode& keyCode) override;
    int onKeyUp(VstKeyCode& keyCode) override;
    void mouse(CDrawContext* context, CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;

    AEffGUIEditor* getEditor() const { return editor; }
    void forgetEditor() { editor = nullptr; }  // the editor goes before its frame
    void* getSystemWindow() const { return parentWindow; }
    void* getNativeWindow() const { return window ? window->nativeHandle() : nullptr; }
    bool hasWindow() const { return window && window->alive(); }
    int getCurrentMouseButtons();
    bool getCurrentMouseLocation(CPoint& where);

    // Something changed under area (a view went away): redraw it on the next idle.
    void invalidateArea(const CRect& area);
    // A view (or a container with its children) leaves the tree.
    void viewWillGo(CView* view);

    // For the stock controls: one edit box and one pop-up list at a time.
    bool openEditBox(CView* owner, const platform::EditBoxSpec& spec);
    bool isEditing(const CView* owner) const { return owner && editOwner == owner; }
    std::string editBoxText() const;
    void closeEditBox(const CView* owner);
    bool openPopupList(COptionMenu* owner, const platform::PopupSpec& spec);
    bool isPopupOpen() const { return popupOwner != nullptr; }

    platform::DrawDevice* drawDevice() const { return device; }
    platform::NativeWindow* platformWindow() const { return window.get(); }

private:
    void pumpEvents(bool exposeOnly);
    void dispatch(const platform::Event& event);
    void redrawDirty();
    void present(const std::vector<CRect>& areas);
    static bool contains(CView* root, const CView* view);

    void* parentWindow;
    AEffGUIEditor* editor;
    std::unique_ptr<platform::NativeWindow> window;
    std::unique_ptr<platform::Offscreen> offscreen;
    platform::DrawDevice* device = nullptr;
    CView* focusView = nullptr;
    CView* editOwner = nullptr;
    CRect editArea;
    COptionMenu* popupOwner = nullptr;
    std::vector<CRect> damage;
    std::vector<CRect> exposed;
    int dispatching = 0;
};

}  // namespace VSTGUI
