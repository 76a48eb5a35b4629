import io
import sys
import threading
import time
import unittest

import mirvok


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

    def test_true_draws_the_command_lines_line_on_standard_error_and_clears_it(self):
        err = io.StringIO()
        sys.stderr, saved = err, sys.stderr
        try:
            mirvok.batch(iterations=30000, seed=1, progress=True)
        finally:
            sys.stderr = saved
        text = err.getvalue()
        self.assertTrue(text.startswith("\r[..............................]     0/30000 runs"))
        self.assertEqual(text.split("\r")[-2:], [" " * len(text.split("\r")[-3]), ""])


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
