#include "toolkit/CKnob.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

namespace VSTGUI {
namespace {
constexpr float kPi = std::numbers::pi_v<float>;
}

CKnob::CKnob(const CRect& rect, CControlListener* l, int t, CBitmap* background, CBitmap* handle,
             const CPoint& off)
    : CControl(rect, l, t, background), offset(off), startAngle(5.0f * kPi / 4.0f), rangeAngle(3.0f * kPi / 2.0f) {
    setHandleBitmap(handle);
}

CKnob::~CKnob() {
    if (pHandle) pHandle->forget();
}

void CKnob::setHandleBitmap(CBitmap* bitmap) {
    if (bitmap) bitmap->remember();
    if (pHandle) pHandle->forget();
    pHandle = bitmap;
}

bool CKnob::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CKnob") == 0) || CControl::isTypeOf(className);
}

void CKnob::draw(CDrawContext* context) {
    if (pBackground) pBackground->draw(context, size, offset);
    drawHandle(context);
    setDirty(false);
}

void CKnob::valueToPoint(CPoint& point) const {
    float range = vmax - vmin;
    float normalized = range != 0.0f ? (value - vmin) / range : 0.0f;
    float alpha = startAngle - normalized * rangeAngle;
    float radius = size.width() / 2.0f - static_cast<float>(inset);
    point.x = static_cast<int>(size.width() / 2.0f + std::cos(alpha) * radius + 0.5f);
    point.y = static_cast<int>(size.height() / 2.0f - std::sin(alpha) * radius + 0.5f);
}

void CKnob::drawHandle(CDrawContext* context) {
    CPoint tip;
    valueToPoint(tip);
    CPoint centre(size.width() / 2, size.height() / 2);
    if (pHandle) {
        int w = pHandle->getWidth();
        int h = pHandle->getHeight();
        CRect where(size.left + tip.x - w / 2, size.top + tip.y - h / 2, 0, 0);
        where.right = where.left + w;
        where.bottom = where.top + h;
        pHandle->draw(context, where);
        return;
    }
    CPoint origin(size.left + centre.x, size.top + centre.y);
    context->setLineWidth(1);
    context->setFrameColor(colorShadowHandle);
    context->moveTo(CPoint(origin.x + 1, origin.y + 1));
    context->lineTo(CPoint(size.left + tip.x + 1, size.top + tip.y + 1));
    context->setFrameColor(colorHandle);
    context->moveTo(origin);
    context->lineTo(CPoint(size.left + tip.x, size.top + tip.y));
}

float CKnob::valueFromPoint(const CPoint& point) const {
    float dx = static_cast<float>(point.x) - size.width() / 2.0f;
    float dy = size.height() / 2.0f - static_cast<float>(point.y);
    float alpha = std::atan2(dy, dx);
    // Clockwise distance from the start angle, 0 to 2 pi.
    float travel = std::fmod(startAngle - alpha, 2.0f * kPi);
    if (travel < 0.0f) travel += 2.0f * kPi;
    float normalized;
    if (travel <= rangeAngle) normalized = travel / rangeAngle;
    else normalized = travel < rangeAngle + (2.0f * kPi - rangeAngle) / 2.0f ? 1.0f : 0.0f;
    return vmin + normalized * (vmax - vmin);
}

void CKnob::mouse(CDrawContext* context, CPoint& where, int buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = context->getMouseButtons();
    if (!(buttons & kLButton)) return;
    if (listener && (buttons & kModifierKeys)) {
        if (listener->controlModifierClicked(context, this, buttons) != 0) return;
    }
    if (checkDefaultValue(context, buttons)) return;

    float range = vmax - vmin;
    bool linear = (getKnobMode() == kLinearMode) != ((buttons & kAlt) != 0);
    CPoint start = where;
    CPoint last = where;
    float startValue = value;
    float step = (buttons & kShift) ? range / (zoomFactor * 200.0f) : range / 200.0f;
    int shiftWas = buttons & kShift;
    float previous = valueFromPoint(CPoint(where.x - size.left, where.y - size.top));

    beginEdit();
    do {
        buttons = context->getMouseButtons();
        int distance = (where.x - start.x) - (where.y - start.y);
        if (linear && (buttons & kShift) != shiftWas) {
            // Keep the value where it is while the step changes.
            float newStep = (buttons & kShift) ? range / (zoomFactor * 200.0f) : range / 200.0f;
            startValue += (step - newStep) * static_cast<float>(distance);
            step = newStep;
            shiftWas = buttons & kShift;
        }
        if (where != last) {
            last = where;
            if (linear) {
                value = startValue + static_cast<float>(distance) * step;
                bounceValue();
            } else {
                float v = valueFromPoint(CPoint(where.x - size.left, where.y - size.top));
                if (previous - v > range / 2.0f) value = vmax;       // came through the gap from the top
                else if (v - previous > range / 2.0f) value = vmin;  // came through the gap from the bottom
                else {
                    value = v;
                    previous = v;
                }
            }
            if (isDirty() && listener) listener->valueChanged(context, this);
        }
        getMouseLocation(context, where);
        doIdleStuff();
    } while (buttons & kLButton);
    endEdit();
}

bool CKnob::onWheel(CDrawContext* context, const CPoint&, float distance) {
    if (!bMouseEnabled) return false;
    int buttons = context ? context->getMouseButtons() : 0;
    value += distance * wheelInc * ((buttons & kShift) ? 0.1f : 1.0f);
    bounceValue();
    if (isDirty()) {
        beginEdit();
        if (listener) listener->valueChanged(context, this);
        endEdit();
    }
    return true;
}

}  // namespace VSTGUI
