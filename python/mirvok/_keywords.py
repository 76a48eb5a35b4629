"""Calls that misspell a keyword: Python's own TypeError, with the nearest
keyword the function takes."""

import difflib
import functools
import inspect


def unexpected(function, name, accepted):
    """The message for a keyword the function does not take."""
    message = f"{function}() got an unexpected keyword argument '{name}'"
    nearest = difflib.get_close_matches(name, sorted(accepted), n=1)
    return message + (f". Did you mean '{nearest[0]}'?" if nearest else "")


def checked(function):
    """The function, refusing a keyword it does not take as unexpected()
    says; its signature stays the function's own."""
    accepted = set(inspect.signature(function).parameters)

    @functools.wraps(function)
    def call(*args, **kwargs):
        for name in kwargs:
            if name not in accepted:
                raise TypeError(unexpected(function.__name__, name, accepted))
        return function(*args, **kwargs)

    return call
