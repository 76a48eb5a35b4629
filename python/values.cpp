#include "values.hpp"

namespace mirvok::python {

NamedTexts valueTexts(const Arguments& arguments, std::initializer_list<ValueGroup> groups) {
    NamedTexts texts;
    for (const ValueRow* row : valueRows(groups))
        texts[row->option] = row->kind == ValueKind::Integer
                                 ? integerText(arguments[row->keyword], row->keyword)
                                 : numberText(arguments[row->keyword], row->keyword);
    return texts;
}

std::vector<std::string> segmentTexts(py::handle segments) {
    const std::string& name = keyword(Setting::Segments);
    std::vector<std::string> texts;
    if (segments.is_none()) return texts;
    if (!py::isinstance<py::iterable>(segments))
        throw py::type_error(name + ": None or a list of (end_step, isi, cv), not " +
                             std::string(py::str(segments.get_type().attr("__name__"))));
    for (py::handle item : segments) {
        const auto segment = py::reinterpret_borrow<py::sequence>(item);
        if (!py::isinstance<py::sequence>(item) || segment.size() != 3)
            refuse(name, "each segment is (end_step, isi, cv)");
        texts.push_back(integerText(segment[0], name) + ":" + numberText(segment[1], name) + ":" +
                        numberText(segment[2], name));
    }
    return texts;
}

}  // namespace mirvok::python
