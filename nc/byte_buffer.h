#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>

namespace nc {

// A growable byte buffer that converters write into through a raw pointer:
// Room reserves space without clearing it, Advance marks what was written.
// Unlike std::string it never fills reserved space, which matters when every
// line reserves room for its worst-case growth.
class ByteBuffer final {
  public:
    ByteBuffer() = default;
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;
    ByteBuffer(ByteBuffer&& other) noexcept { swap(other); }
    ByteBuffer& operator=(ByteBuffer&& other) noexcept {
        swap(other);
        return *this;
    }
    ~ByteBuffer() { std::free(m_data); }

    // The end of the written bytes, with at least `bytes` free after it.
    char* Room(std::size_t bytes) {
        if (m_capacity - m_size < bytes) Grow(m_size + bytes);
        return m_data + m_size;
    }
    // Marks the bytes up to `end` (a pointer into the last Room) as written.
    void Advance(const char* end) { m_size = static_cast<std::size_t>(end - m_data); }

    void Append(std::string_view bytes) {
        char* at = Room(bytes.size());
        if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
        m_size += bytes.size();
    }
    void Truncate(std::size_t size) { m_size = size; }
    void clear() { m_size = 0; }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::string_view view() const { return {m_data, m_size}; }

    void swap(ByteBuffer& other) noexcept {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }

  private:
    void Grow(std::size_t needed) {
        std::size_t capacity = m_capacity < 4096 ? 4096 : m_capacity;
        while (capacity < needed)
            capacity *= 2;
        void* data = std::realloc(m_data, capacity);
        if (data == nullptr) throw std::bad_alloc();
        m_data = static_cast<char*>(data);
        m_capacity = capacity;
    }

    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

} // namespace nc
