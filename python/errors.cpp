#include "base/errors.hpp"

#include <pybind11/pybind11.h>

#include "model/rates.hpp"
#include "registrations.hpp"
#include "values/value_table.hpp"

namespace mirvok::python {

// The core's errors carry the message the user is shown; they reach Python
// with it unchanged: a refused value as ValueError, a file as OSError. A
// value the core names (a keyword, or the rate whose step overflowed) is
// named as the command line names its option: "gamma1: <message>"; so is
// a generator entry, which the core names by the window's label.
void registerErrors(pybind11::module_&) {
    pybind11::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const FileError& e) {
            PyErr_SetString(PyExc_OSError, e.what());
        } catch (const ValueError& e) {
            PyErr_SetString(PyExc_ValueError, (e.keyword() + ": " + e.what()).c_str());
        } catch (const GeneratorEntryError& e) {
            const ValueRow* row = rowOfGeneratorEntry(e.entry());
            const std::string message = row ? row->keyword + ": " + e.reason() : e.what();
            PyErr_SetString(PyExc_ValueError, message.c_str());
        } catch (const RateOverflow& e) {
            const std::string& keyword = rowOfRunValue(e.rate()).keyword;
            PyErr_SetString(PyExc_ValueError, (keyword + ": " + e.what()).c_str());
        } catch (const InputError& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        } catch (const EConvertError& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        } catch (const EMathError& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        }
    });
}

}  // namespace mirvok::python
