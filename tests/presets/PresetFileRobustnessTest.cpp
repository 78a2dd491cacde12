// Every cut of a valid file and a few thousand seeded random damages, given to
// both loaders: no crash, no read past the end of the image (it ends at an
// inaccessible page), and a rejected file changes nothing.

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <random>

#include "ProductStandIn.h"
#include "presets/PresetFileActions.h"
#include "presets/PresetFileFormat.h"

using namespace ambrel;
using testsupport::BankSnapshot;
using testsupport::ProductStandIn;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Holds an image so that its last byte is the last readable byte of the process.
class GuardedImage {
public:
    explicit GuardedImage(std::size_t capacity) {
        const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        dataPages = (capacity + page - 1) / page * page;
        total = dataPages + page;
        void* mapped = ::mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        base = mapped == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(mapped);
        if (base) ::mprotect(base + dataPages, page, PROT_NONE);
    }
    ~GuardedImage() {
        if (base) ::munmap(base, total);
    }
    GuardedImage(const GuardedImage&) = delete;
    GuardedImage& operator=(const GuardedImage&) = delete;

    bool ok() const { return base != nullptr; }
    const std::uint8_t* place(const std::uint8_t* data, std::size_t size) {
        std::uint8_t* start = base + dataPages - size;
        if (size) std::memcpy(start, data, size);
        return start;
    }

private:
    std::uint8_t* base = nullptr;
    std::size_t dataPages = 0;
    std::size_t total = 0;
};

bool bankIsSane(const CPresetSystemEffect& effect) {
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        const CProgram& program = *effect.program(slot);
        if (std::strlen(program.name()) > static_cast<std::size_t>(kNameLength)) return false;
        for (int i = 0; i < program.valueCount(); ++i) {
            const float v = program.getParameterValue(i);
            if (!(v >= 0.0f && v <= 1.0f)) return false;
        }
    }
    return true;
}

Bytes damaged(const Bytes& valid, std::mt19937& random) {
    Bytes bytes = valid;
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_int_distribution<int> byte(0, 255);
    const int damages = 1 + static_cast<int>(random() % 8);
    for (int d = 0; d < damages && !bytes.empty(); ++d) {
        const std::size_t at = random() % bytes.size();
        switch (kind(random)) {
        case 0: bytes[at] = static_cast<std::uint8_t>(byte(random)); break;
        case 1: bytes[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
        case 2: bytes.resize(at); break;
        case 3: bytes.insert(bytes.begin() + static_cast<long>(at), static_cast<std::uint8_t>(byte(random))); break;
        case 4: bytes[at % 5] = static_cast<std::uint8_t>(byte(random)); break;  // the header
        default: bytes.resize(bytes.size() + random() % 64, static_cast<std::uint8_t>(byte(random))); break;
        }
    }
    return bytes;
}

using Loader = FileActionResult (*)(CPresetSystemEffect&, const std::uint8_t*, std::size_t);

class Robustness : public ::testing::TestWithParam<const Edition*> {
protected:
    // Feeds one image; true when the loader kept its promises.
    bool feed(Loader load, CPresetSystemEffect& effect, GuardedImage& guard, const Bytes& image) {
        const BankSnapshot before(effect);
        const FileActionResult result = load(effect, guard.place(image.data(), image.size()), image.size());
        if (result.outcome == FileActionResult::kError) {
            if (!result.message || !(BankSnapshot(effect) == before)) return false;
            ++rejected;
        } else {
            ++accepted;
        }
        return bankIsSane(effect);
    }
    int rejected = 0, accepted = 0;
};

}  // namespace

TEST_P(Robustness, EveryCutAndThousandsOfDamagesAreHandled) {
    const Edition& edition = *GetParam();
    ProductStandIn effect(nullptr, edition);
    std::mt19937 random(20261208);
    for (int slot = 0; slot < kProgramSlots; ++slot)
        for (int i = 0; i < edition.numParams; ++i)
            effect.program(slot)->setParameterValue(i, static_cast<float>(random() % 1000) / 999.0f);
    const Bytes bank = encodeBankFile(effect.program(0));
    const Bytes preset = encodePresetFile(*effect.program(3));
    GuardedImage guard(bank.size() + 4096);
    ASSERT_TRUE(guard.ok());

    const struct {
        Loader load;
        const Bytes& valid;
    } loaders[] = {{loadBankImage, bank}, {loadPresetImage, preset}};
    for (const auto& loader : loaders) {
        for (std::size_t size = 0; size < loader.valid.size(); ++size) {
            const Bytes cut(loader.valid.begin(), loader.valid.begin() + static_cast<long>(size));
            ASSERT_TRUE(feed(loader.load, effect, guard, cut)) << "cut at " << size;
        }
        for (int n = 0; n < 2000; ++n) {
            const Bytes image = damaged(loader.valid, random);
            ASSERT_TRUE(feed(loader.load, effect, guard, image)) << "damage " << n;
        }
        // The other kind's valid file is a damage too.
        ASSERT_TRUE(feed(loader.load, effect, guard, &loader.valid == &bank ? preset : bank));
    }
    // Every cut but the legacy bank size is too short, and many damages still load.
    EXPECT_GT(rejected, static_cast<int>(bank.size() + preset.size()) - 2);
    EXPECT_GT(accepted, 500);
}

INSTANTIATE_TEST_SUITE_P(Editions, Robustness, ::testing::Values(&fullEdition(), &siblingEdition()),
                         [](const ::testing::TestParamInfo<const Edition*>& info) {
                             return info.param == &fullEdition() ? std::string("Full") : std::string("Sibling");
                         });
