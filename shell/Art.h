#pragma once

namespace korven {

// The pictures are compiled into a static library: their resource must be registered
// before the first use.
void initArtResources();

} // namespace korven
