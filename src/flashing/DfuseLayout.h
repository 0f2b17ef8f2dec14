// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace modflash {

// The memory of an STM32 as its DFU boot loader describes it in the name of a DfuSe interface:
// "@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg". After the "@" comes the memory's
// name, then one or more address blocks, each a start address and a list of segments written
// "count*size" with a size multiplier (" " or "B" bytes, "K" KiB, "M" MiB) and a type letter
// from "a" to "g" whose low three bits say readable (1), erasable (2) and writable (4). The
// segments of a block follow one another from its start address.
class DfuseLayout {
public:
    struct Segment {
        std::uint32_t start = 0;
        std::uint32_t count = 0; // sectors (or pages)
        std::uint32_t size = 0;  // bytes per sector
        bool readable = false;
        bool erasable = false;
        bool writable = false;

        std::uint64_t bytes() const { return std::uint64_t(count) * size; }
        std::uint64_t end() const { return start + bytes(); }
        bool operator==(const Segment&) const = default;
    };

    // The name of the memory ("Internal Flash"), without its padding.
    const std::string& name() const { return m_name; }
    // The first block's start address.
    std::uint32_t start() const { return m_segments.front().start; }
    const std::vector<Segment>& segments() const { return m_segments; }
    // All segments' bytes together.
    std::uint64_t totalSize() const;
    // How many bytes may be written from `address` on without a gap or a segment that cannot
    // be written: what an image written there may hold at most.
    std::uint64_t writableFrom(std::uint32_t address) const;

    // The layout, or the reason the text is no layout.
    static std::variant<DfuseLayout, std::string> parse(std::string_view descriptor);
    // How many bytes an image written where STM32 flash starts (0x08000000) may hold, by the
    // interface's name; nothing when the name is no layout.
    static std::optional<std::uint64_t> flashForImages(std::string_view descriptor);

private:
    DfuseLayout() = default;

    std::string m_name;
    std::vector<Segment> m_segments;
};

} // namespace modflash
