#pragma once
// A menu control: a list of entries (the entry "-" is a separator), a current
// entry and a pop-up list that opens on a click. Picking an entry makes it
// current, sets the value to its index and tells the listener. With
// kNoDrawStyle the control draws nothing; with kCheckStyle the pop-up list
// checks the current entry. Indices count separators unless told otherwise.

#include <string>
#include <vector>

#include "toolkit/CParamDisplay.h"

namespace VSTGUI {

class COptionMenu : public CParamDisplay {
public:
    COptionMenu(const CRect& size, CControlListener* listener, int tag, CBitmap* background = nullptr,
                CBitmap* bgWhenClick = nullptr, int style = 0);
    ~COptionMenu() override;

    virtual bool addEntry(const char* text, int index = -1);
    virtual bool setEntry(int index, const char* text);
    virtual bool getEntry(int index, char* text) const;  // text holds 256 characters
    virtual bool removeEntry(int index);
    virtual void removeAllEntry();
    virtual int getNbEntries() const { return static_cast<int>(entries.size()); }
    virtual bool setCurrent(int index, bool countSeparator = true);
    virtual int getCurrent(char* text = nullptr, bool countSeparator = true) const;
    virtual void setNbItemsPerColumn(int count) { itemsPerColumn = count; }
    virtual int getNbItemsPerColumn() const { return itemsPerColumn; }
    bool isSeparator(int index) const;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;
    void takeFocus(CDrawContext* context = nullptr) override;  // opens the pop-up list

    // The pop-up list closed: index of the chosen entry (counting separators), -1 when dismissed.
    virtual void popupClosed(CDrawContext* context, int index);

protected:
    std::vector<std::string> entries;
    int currentIndex = -1;
    int itemsPerColumn = -1;
    CBitmap* bgWhenClick = nullptr;
};

}  // namespace VSTGUI
