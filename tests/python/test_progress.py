import io
import json
import sys
import threading
import time
import unittest

import mirvok


class Terminal(io.StringIO):
    def isatty(self):
        return True


def calls_of_each():
    """Each long call with a progress argument, and its runs in all."""
    return [
        ("batch", lambda **kw: mirvok.batch(iterations=30000, seed=1, **kw), 30000),
        ("replay", lambda **kw: mirvok.replay([[10, 90, 170]] * 30000, **kw), 30000),
        ("sweep", lambda **kw: mirvok.sweep({"cv": [0.1, 0.2, 0.3]}, iterations=10000, seed=1,
                                            **kw), 30000),
    ]


class ProgressTest(unittest.TestCase):
    def test_a_callable_hears_runs_done_of_the_total_on_the_calling_thread(self):
        for name, call, total in calls_of_each():
            with self.subTest(name):
                heard = []
                start = time.monotonic()
                call(progress=lambda done, all_: heard.append((done, all_, threading.get_ident())))
                seconds = time.monotonic() - start
                self.assertEqual(heard[0][:2], (0, total))
                self.assertEqual(heard[-1][:2], (total, total))
                self.assertEqual([h[0] for h in heard], sorted(h[0] for h in heard))
                self.assertEqual({h[2] for h in heard}, {threading.get_ident()})
                # About ten a second, and the first and the last besides.
                self.assertLessEqual(len(heard), 3 + seconds * 10)

    def test_true_draws_the_command_lines_line_on_a_terminal_and_clears_it(self):
        err = Terminal()
        sys.stderr, saved = err, sys.stderr
        try:
            mirvok.batch(iterations=30000, seed=1, progress=True)
        finally:
            sys.stderr = saved
        text = err.getvalue()
        self.assertTrue(text.startswith("\r[..............................]     0/30000 runs"))
        self.assertEqual(text.split("\r")[-2:], [" " * len(text.split("\r")[-3]), ""])

    def test_true_writes_whole_lines_into_a_log(self):
        err = io.StringIO()
        sys.stderr, saved = err, sys.stderr
        try:
            mirvok.batch(iterations=3000, seed=1, progress=True)
        finally:
            sys.stderr = saved
        self.assertRegex(err.getvalue(), r"^mirvok: 3000 of 3000, \d+ runs/s\n$")


class CancelTest(unittest.TestCase):
    def test_a_set_event_returns_the_runs_made_marked_partial(self):
        # Far more runs than are made before the event is set; what is
        # returned equals the same call over only that many.
        calls = [
            ("batch", "q", lambda n, **kw: mirvok.batch(iterations=n, seed=1, **kw), 200000),
            ("replay", "q", lambda n, **kw: mirvok.replay([[10, 90, 170]] * n, time=50000, **kw),
             20000),
            ("sweep", "q_mean",
             lambda n, **kw: mirvok.sweep({"cv": [0.1] * n}, iterations=500, seed=1, **kw), 400),
        ]
        for name, column, call, many in calls:
            with self.subTest(name):
                cancel = threading.Event()
                got = {}

                def in_worker():
                    got["result"] = call(many, progress=lambda done, _: done and cancel.set(),
                                         cancel=cancel)

                worker = threading.Thread(target=in_worker)
                worker.start()
                worker.join()
                result = got["result"]
                made = len(result[column])
                self.assertTrue(result["partial"])
                self.assertLess(made, many)
                alone = call(max(made, 1))[column][:made]
                self.assertEqual(result[column].tolist(), alone.tolist())

    def test_an_event_set_before_the_call_makes_no_run(self):
        cancel = threading.Event()
        cancel.set()
        for result in (mirvok.batch(iterations=10, seed=1, cancel=cancel),
                       mirvok.replay([[10, 90]] * 10, cancel=cancel),
                       mirvok.sweep({"cv": [0.1]}, iterations=10, seed=1, cancel=cancel)):
            self.assertTrue(result["partial"])
            self.assertEqual(json.loads(result["provenance"])["runs"], 0)

    def test_an_error_of_the_progress_callable_carries_the_runs_made(self):
        def fail(done, _):
            if done > 0:
                raise RuntimeError("stop here")

        with self.assertRaisesRegex(RuntimeError, "stop here") as raised:
            mirvok.batch(iterations=30000, seed=1, progress=fail)
        partial = raised.exception.partial
        self.assertTrue(partial["partial"])
        self.assertEqual(partial["index"].tolist(), list(range(len(partial["index"]))))


if __name__ == "__main__":
    unittest.main()
