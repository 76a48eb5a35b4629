"""Makes the package mirvok beside its compiled half _mirvok: the Python
layer's signatures and docstrings, and its stub, from the value table the
compiled module exposes, so that each value's keyword, type, default, unit
and help are written down once, in the core.

    python3 make_package.py SOURCE_DIR PACKAGE_DIR

SOURCE_DIR holds __init__.py.in and _keywords.py; PACKAGE_DIR holds the
compiled _mirvok and receives __init__.py, __init__.pyi, _keywords.py and
py.typed. In __init__.py.in, a line "@VALUES name@" in a signature becomes
the keywords of the compiled function's values, and "@VALUES_DOC name@" in
a docstring their descriptions.
"""

import ast
import pathlib
import re
import shutil
import sys

MARK = re.compile(r"^(\s*)@(VALUES|VALUES_DOC|VALUE_COLUMNS)(?: (\w+))?@(.*)$")
# The types of a value's keyword: NumPy's scalars pass as Python's do.
KINDS = {"int": "Int", "float": "Real"}
# The column a varied value has in a sweep's result.
COLUMNS = {"int": "_npt.NDArray[_np.int64]", "float": "FloatArray"}


def parameters(rows):
    return [f"{keyword}: {KINDS[kind]} = {default!r}" for keyword, kind, default, *_ in rows]


def columns(rows):
    return [f"{keyword}: _t.NotRequired[{COLUMNS[kind]}]" for keyword, kind, *_ in rows]


def descriptions(rows):
    lines = ["Values (keyword = default):"]
    for keyword, _, _, text, unit, help_text in rows:
        lines.append(f"  {keyword} = {text}{' ' + unit if unit else ''}: {help_text}")
    return lines


def expanded(template, arguments):
    out = []
    for line in template.splitlines():
        mark = MARK.match(line)
        if not mark:
            out.append(line)
            continue
        indent, what, name, rest = mark.groups()
        rows = arguments[name or "sweep"]["values"]
        if what == "VALUE_COLUMNS":
            out.extend(indent + line for line in columns(rows))
        elif what == "VALUES":
            out.append(indent + (",\n" + indent).join(parameters(rows)) + rest)
        else:
            out.extend(indent + text if text else "" for text in descriptions(rows))
    return "\n".join(out) + "\n"


def check_arguments(tree, arguments):
    """Every function of the compiled module is defined here, with its own
    arguments in the order given and then its values."""
    defined = {node.name: node for node in tree.body if isinstance(node, ast.FunctionDef)}
    for name, signature in arguments.items():
        if name not in defined:
            sys.exit(f"make_package.py: __init__.py.in lacks {name}()")
        a = defined[name].args
        given = [p.arg for p in a.posonlyargs + a.args + a.kwonlyargs]
        values = [row[0] for row in signature["values"]]
        if sorted(given) != sorted(list(signature["own"]) + values):
            sys.exit(f"make_package.py: {name}() takes {given}; the compiled one "
                     f"{list(signature['own'])} and {values}")


def is_overload(node):
    return any(isinstance(d, ast.Attribute) and d.attr == "overload" for d in node.decorator_list)


def stub(tree):
    """The module as a stub: its imports, type aliases, classes and public
    functions with their signatures and docstrings, none of the code behind
    them. A function with overloads is its overloads alone."""
    overloaded = {node.name for node in tree.body
                  if isinstance(node, ast.FunctionDef) and is_overload(node)}
    body = []
    for node in tree.body:
        if isinstance(node, ast.ImportFrom) and (node.level > 0 or node.module == "__future__"):
            continue
        if isinstance(node, ast.FunctionDef):
            if node.name.startswith("_"):
                continue
            if node.name in overloaded and not is_overload(node):
                continue
            doc = node.body[0] if ast.get_docstring(node) is not None else None
            node.decorator_list = [d for d in node.decorator_list if d is not None and
                                   isinstance(d, ast.Attribute) and d.attr == "overload"]
            node.body = ([doc] if doc else []) + [ast.Expr(ast.Constant(...))]
        elif isinstance(node, ast.AnnAssign):
            node.value = None
        body.append(node)
    tree.body = body
    return "# Made by make_package.py from __init__.py.in and the value table.\n" + \
        ast.unparse(ast.fix_missing_locations(tree)) + "\n"


def main(source, package):
    sys.path.insert(0, str(package))
    import _mirvok

    code = expanded((source / "__init__.py.in").read_text(), _mirvok._arguments)
    tree = ast.parse(code)
    check_arguments(tree, _mirvok._arguments)
    (package / "__init__.py").write_text(
        "# Made by make_package.py from __init__.py.in and the value table.\n" + code)
    (package / "__init__.pyi").write_text(stub(tree))
    for module in ("_keywords.py", "_neo.py"):
        shutil.copyfile(source / module, package / module)
    (package / "py.typed").write_text("")


if __name__ == "__main__":
    main(pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]))
