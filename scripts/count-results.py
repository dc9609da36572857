#!/usr/bin/env python3
"""Counts a CTest run from its JUnit report (ctest --output-junit FILE).

Prints "PASSED FAILED SKIPPED". A test is skipped only when it ran and asked
for it (its SKIP_RETURN_CODE); CTest reports a test that could not run at all
(a missing executable, a failed fixture) in the same form, and such a test
counts as failed. A missing or unreadable report is one failure.
"""
import sys
import xml.etree.ElementTree as ElementTree

try:
    cases = ElementTree.parse(sys.argv[1]).getroot().iter("testcase")
    passed = failed = skipped = 0
    for case in cases:
        skip = case.find("skipped")
        if case.find("failure") is not None:
            failed += 1
        elif skip is not None:
            if skip.get("message", "").startswith("SKIP_"):
                skipped += 1
            else:
                failed += 1
        else:
            passed += 1
except (OSError, ElementTree.ParseError, IndexError):
    passed, failed, skipped = 0, 1, 0
print(passed, failed, skipped)
