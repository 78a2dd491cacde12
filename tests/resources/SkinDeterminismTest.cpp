// The generator draws the same bytes every time: drawing the edition again
// here, after first drawing the other edition (so with a different history of
// fonts and sizes in this process), gives exactly the bytes the build embedded.
#include <gtest/gtest.h>

#include <vector>

#include "SkinTestSupport.h"
#include "resources/generator/BmpWriter.h"
#include "resources/generator/SkinEdition.h"
#include "resources/generator/SkinRenderer.h"

using namespace skin_test;

TEST(SkinDeterminism, RedrawingGivesTheEmbeddedBytes) {
    const ambrel::skin::SkinEdition* edition = ambrel::skin::skinEditionByKey(kSiblingSet ? "sibling" : "full");
    const ambrel::skin::SkinEdition* other = ambrel::skin::skinEditionByKey(kSiblingSet ? "full" : "sibling");
    ASSERT_NE(edition, nullptr);
    ASSERT_NE(other, nullptr);
    {
        ambrel::skin::RenderedSet first;
        ASSERT_TRUE(ambrel::skin::renderEdition(*other, first));
    }
    ambrel::skin::RenderedSet set;
    ASSERT_TRUE(ambrel::skin::renderEdition(*edition, set));
    std::size_t count = 0;
    ambrel::skinImages(&count);
    EXPECT_EQ(set.bitmaps().size(), count);
    for (const ambrel::skin::RenderedBitmap& b : set.bitmaps()) {
        SCOPED_TRACE(b.id);
        const ambrel::SkinImage* image = ambrel::findSkinImage(b.id);
        ASSERT_NE(image, nullptr);
        const std::vector<std::uint8_t> bytes = ambrel::skin::encodeBmp(b.surface);
        ASSERT_EQ(bytes.size(), image->size);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), image->data));
    }
}
