import inspect
import unittest

import mirvok


class PackageTest(unittest.TestCase):
    def test_every_function_shows_a_type_for_every_argument_and_the_values_defaults(self):
        for name in mirvok.__all__:
            parameters = inspect.signature(getattr(mirvok, name)).parameters.values()
            with self.subTest(name):
                self.assertEqual([p.name for p in parameters if p.annotation is p.empty], [])
        gamma1 = inspect.signature(mirvok.batch).parameters["gamma1"]
        self.assertEqual((gamma1.kind, gamma1.default), (gamma1.KEYWORD_ONLY, 0.009))

    def test_the_module_lists_no_names_of_what_it_imports(self):
        public = {name for name in dir(mirvok) if not name.startswith("_")}
        self.assertEqual(public & {"np", "npt", "os", "threading", "Any", "Union", "annotations"},
                         set())


if __name__ == "__main__":
    unittest.main()
