#include "ImportCalls.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace importcalls {
namespace {

// One thunk: lock inc qword [rip+counter]; jmp qword [rip+target]; int3 int3.
constexpr std::size_t kThunkBytes = 16;

void writeDisplacement(unsigned char* at, const unsigned char* nextInstruction, const void* target) {
    const auto displacement = static_cast<std::int32_t>(reinterpret_cast<const unsigned char*>(target) - nextInstruction);
    std::memcpy(at, &displacement, 4);
}

}  // namespace

bool sameDll(const std::string& a, const char* b) {
    return a.size() == std::strlen(b) && _stricmp(a.c_str(), b) == 0;
}

bool ImportCounter::hook(HMODULE module) {
    unhook();
    auto* base = reinterpret_cast<unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (!module || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) return false;
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress) return false;

    std::vector<Slot> slots;
    for (const auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         descriptor->Name; ++descriptor) {
        const std::string dll = reinterpret_cast<const char*>(base + descriptor->Name);
        auto* iat = reinterpret_cast<IMAGE_THUNK_DATA64*>(base + descriptor->FirstThunk);
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA64*>(
            base + (descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk));
        for (; names->u1.AddressOfData; ++names, ++iat) {
            std::string function;
            if (IMAGE_SNAP_BY_ORDINAL64(names->u1.Ordinal)) {
                char text[24];
                std::snprintf(text, sizeof text, "#%u", static_cast<unsigned>(IMAGE_ORDINAL64(names->u1.Ordinal)));
                function = text;
            } else {
                const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                function = reinterpret_cast<const char*>(byName->Name);
            }
            slots.push_back({dll, function, reinterpret_cast<void**>(&iat->u1.Function),
                             reinterpret_cast<void*>(iat->u1.Function), slots.size()});
        }
    }
    if (slots.empty()) return false;

    const std::size_t n = slots.size();
    capacity_ = n * (kThunkBytes + 2 * sizeof(void*));
    block_ = static_cast<unsigned char*>(VirtualAlloc(nullptr, capacity_, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!block_) return false;
    auto** targets = reinterpret_cast<void**>(block_ + n * kThunkBytes);
    auto* counters = reinterpret_cast<volatile long long*>(targets + n);
    for (const Slot& slot : slots) {
        unsigned char* thunk = block_ + slot.index * kThunkBytes;
        targets[slot.index] = slot.original;
        counters[slot.index] = 0;
        const unsigned char code[kThunkBytes] = {0xF0, 0x48, 0xFF, 0x05, 0, 0, 0, 0,  // lock inc qword [rip+d]
                                                 0xFF, 0x25, 0, 0, 0, 0,              // jmp qword [rip+d]
                                                 0xCC, 0xCC};
        std::memcpy(thunk, code, kThunkBytes);
        writeDisplacement(thunk + 4, thunk + 8, const_cast<long long*>(&counters[slot.index]));
        writeDisplacement(thunk + 10, thunk + 14, &targets[slot.index]);
    }
    FlushInstructionCache(GetCurrentProcess(), block_, n * kThunkBytes);

    // Point the import table at the thunks (its pages may be read-only).
    for (const Slot& slot : slots) {
        DWORD old = 0;
        if (!VirtualProtect(slot.iatEntry, sizeof(void*), PAGE_READWRITE, &old)) return false;
        *slot.iatEntry = block_ + slot.index * kThunkBytes;
        VirtualProtect(slot.iatEntry, sizeof(void*), old, &old);
    }
    slots_ = std::move(slots);
    return true;
}

void ImportCounter::unhook() {
    for (const Slot& slot : slots_) {
        DWORD old = 0;
        if (VirtualProtect(slot.iatEntry, sizeof(void*), PAGE_READWRITE, &old)) {
            *slot.iatEntry = slot.original;
            VirtualProtect(slot.iatEntry, sizeof(void*), old, &old);
        }
    }
    slots_.clear();
    // The thunk block is kept: a thread of the DLL may still be inside one.
    block_ = nullptr;
}

void ImportCounter::reset() {
    if (!block_) return;
    auto* counters = reinterpret_cast<volatile long long*>(block_ + slots_.size() * (kThunkBytes + sizeof(void*)));
    for (std::size_t i = 0; i < slots_.size(); ++i) counters[i] = 0;
}

std::vector<ImportedFunction> ImportCounter::called() const {
    std::vector<ImportedFunction> result;
    if (!block_) return result;
    const auto* counters =
        reinterpret_cast<const volatile long long*>(block_ + slots_.size() * (kThunkBytes + sizeof(void*)));
    for (const Slot& slot : slots_)
        if (const long long c = counters[slot.index]) result.push_back({slot.dll, slot.function, static_cast<long>(c)});
    return result;
}

long ImportCounter::calls(const std::string& function) const {
    long total = 0;
    for (const ImportedFunction& f : called())
        if (f.function == function) total += f.calls;
    return total;
}

}  // namespace importcalls
