// The progress callback the long deck-editor operations report through, so that a
// window can move its progress bar without the logic knowing about it.
#pragma once

#include <cstddef>
#include <functional>

namespace zandor {

// Called with the position the progress bar should show.
using TProgress = std::function<void(std::size_t)>;

} // namespace zandor
