#pragma once

#include <pybind11/numpy.h>

#include <utility>
#include <vector>

namespace mirvok::python {

// A NumPy array over the vector's own storage, without copying it: the
// vector moves to the heap and a capsule owning it becomes the array's base,
// so the array stays valid after whatever held the vector (a state, a
// batch's columns) is gone, and the vector is freed with the last view.
template <typename T>
pybind11::array_t<T> ownedArray(std::vector<T>&& values) {
    auto* held = new std::vector<T>(std::move(values));
    pybind11::capsule owner(held, [](void* p) { delete static_cast<std::vector<T>*>(p); });
    return pybind11::array_t<T>(static_cast<pybind11::ssize_t>(held->size()), held->data(), owner);
}

// A list of arrays, one per vector, each owning its vector.
template <typename T>
pybind11::list ownedArrays(std::vector<std::vector<T>>&& lists) {
    pybind11::list arrays(lists.size());
    for (std::size_t i = 0; i < lists.size(); ++i) arrays[i] = ownedArray(std::move(lists[i]));
    return arrays;
}

}  // namespace mirvok::python
