#pragma once
// Shared ownership for views and bitmaps: the count starts at 1 (the creator);
// whoever keeps a pointer calls remember, and forget when done; the object
// deletes itself when the count reaches 0.

namespace VSTGUI {

class CReferenceCounter {
public:
    CReferenceCounter() = default;
    virtual ~CReferenceCounter() = default;
    CReferenceCounter(const CReferenceCounter&) = delete;
    CReferenceCounter& operator=(const CReferenceCounter&) = delete;

    virtual void forget() {
        if (--nbReference <= 0) delete this;
    }
    virtual void remember() { ++nbReference; }
    int getNbReference() const { return nbReference; }

private:
    int nbReference = 1;
};

}  // namespace VSTGUI
