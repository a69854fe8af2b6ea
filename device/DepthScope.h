#pragma once

namespace korven {

// Counts a nesting level for its lifetime: how deep the code is in an exchange, in the
// delivery of received bytes, and so on.
class DepthScope {
public:
    explicit DepthScope(int &depth) : m_depth(depth) { ++m_depth; }
    ~DepthScope() { --m_depth; }
    DepthScope(const DepthScope &) = delete;
    DepthScope &operator=(const DepthScope &) = delete;

private:
    int &m_depth;
};

} // namespace korven
