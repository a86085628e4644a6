#include "runtime/module_linker.h"

#include <cctype>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "platform/exec_memory.h"
#include "runtime/link_key.h"
#include "runtime/runtime.h"

namespace {

struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

using RuntimeMap = std::unordered_map<std::string, uint32_t, TextHash, std::equal_to<>>;
using ModuleMap = std::unordered_map<std::string_view, uint8_t*>;

SymbolVisitor symbolVisitor = nullptr;
void* symbolVisitorContext = nullptr;

RuntimeMap buildRuntimeMap(Runtime& runtime) {
    RuntimeMap map;
    while (const char* name = runtime.nextSymbol()) {
        // A later name with the same key replaces the earlier one.
        map.insert_or_assign(linkKey(name), static_cast<uint32_t>(runtime.symbolValue(name)));
    }
    return map;
}

// Bounds-checked reading of the image; any read past its end marks it corrupt.
class ImageReader {
public:
    ImageReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool u32(uint32_t& value) {
        if (size_ - pos_ < 4) return false;
        std::memcpy(&value, data_ + pos_, 4);
        pos_ += 4;
        return true;
    }

    bool bytes(const uint8_t*& start, size_t count) {
        if (size_ - pos_ < count) return false;
        start = data_ + pos_;
        pos_ += count;
        return true;
    }

    bool name(std::string_view& text) {
        const void* nul = std::memchr(data_ + pos_, 0, size_ - pos_);
        if (!nul) return false;
        size_t length = static_cast<const uint8_t*>(nul) - (data_ + pos_);
        text = std::string_view(reinterpret_cast<const char*>(data_ + pos_), length);
        pos_ += length + 1;
        return true;
    }

    // An entry takes at least 5 bytes, so a count larger than the rest of the
    // image allows is corrupt before any entry is read.
    bool plausibleCount(uint32_t count) const { return count <= (size_ - pos_) / 5; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

class Linker {
public:
    Linker(Runtime& runtime, std::string& error) : runtime_(runtime), error_(error) {}

    bool link(const uint8_t* image, size_t imageSize, LinkedModule& module) {
        runtimeMap_ = buildRuntimeMap(runtime_);
        ImageReader reader(image, imageSize);
        uint32_t codeSize;
        const uint8_t* code;
        if (!reader.u32(codeSize) || !reader.bytes(code, codeSize)) return corrupt();
        // The main code starts at offset 0: without code there is nothing to call.
        if (codeSize == 0) return corrupt();
        uint8_t* base = platform::allocateExecutable(codeSize + kLinkedCodeGuard);
        if (!base) return fail("Can't allocate code memory");
        std::memcpy(base, code, codeSize);
        std::memset(base + codeSize, 0, kLinkedCodeGuard);
        base_ = base;
        size_ = codeSize;

        // A refused image leaves no code block behind.
        if (!readSymbols(reader) || !applyRelocations(reader, true) || !applyRelocations(reader, false)) {
            platform::freeExecutable(base, codeSize + kLinkedCodeGuard);
            return false;
        }
        if (symbolVisitor)
            for (auto& [name, address] : moduleMap_)
                symbolVisitor(symbolVisitorContext, std::string(name).c_str(), address);
        module.base = base;
        module.size = codeSize;
        return true;
    }

private:
    bool fail(std::string text) {
        error_ = std::move(text);
        return false;
    }
    bool corrupt() { return fail("Corrupt module image"); }

    bool readSymbols(ImageReader& reader) {
        uint32_t count;
        if (!reader.u32(count) || !reader.plausibleCount(count)) return corrupt();
        moduleMap_.reserve(count);
        for (uint32_t i = 0; i < count; ++i) {
            std::string_view name;
            uint32_t offset;
            if (!reader.name(name) || !reader.u32(offset)) return corrupt();
            if (offset >= size_) return fail("Illegal symbol value");
            moduleMap_.insert_or_assign(name, base_ + offset);
        }
        return true;
    }

    bool resolve(std::string_view name, uint32_t& address) {
        if (auto it = moduleMap_.find(name); it != moduleMap_.end()) {
            address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(it->second));
            return true;
        }
        if (auto it = runtimeMap_.find(name); it != runtimeMap_.end()) {
            address = it->second;
            return true;
        }
        return fail("Can't find symbol: " + std::string(name));
    }

    bool applyRelocations(ImageReader& reader, bool relative) {
        uint32_t count;
        if (!reader.u32(count) || !reader.plausibleCount(count)) return corrupt();
        for (uint32_t i = 0; i < count; ++i) {
            std::string_view name;
            uint32_t offset, target;
            if (!reader.name(name) || !reader.u32(offset)) return corrupt();
            if (size_ < 4 || offset > size_ - 4) return fail("Illegal relocation offset");
            if (!resolve(name, target)) return false;
            uint8_t* field = base_ + offset;
            uint32_t value;
            std::memcpy(&value, field, 4);
            value += relative ? target - static_cast<uint32_t>(reinterpret_cast<uintptr_t>(field)) : target;
            std::memcpy(field, &value, 4);
        }
        return true;
    }

    Runtime& runtime_;
    std::string& error_;
    RuntimeMap runtimeMap_;
    ModuleMap moduleMap_;
    uint8_t* base_ = nullptr;
    uint32_t size_ = 0;
};

} // namespace

bool linkModuleImage(const uint8_t* image, size_t imageSize, Runtime& runtime, LinkedModule& module,
                     std::string& error) {
    Linker linker(runtime, error);
    return linker.link(image, imageSize, module);
}

void setModuleSymbolVisitor(SymbolVisitor visit, void* context) {
    symbolVisitor = visit;
    symbolVisitorContext = context;
}
