#!/usr/bin/env bash
# Run in a golden case's working folder: C:\dane becomes its dane/ and D: its d/, where D:\wyniki
# is a folder. The prefix is this test run's own, so the mapping touches nothing else; the drive
# cases take turns.
set -eu
mkdir -p dane d/wyniki
ln -sfn "$PWD/dane" "$WINEPREFIX/drive_c/dane"
ln -sfn "$PWD/d" "$WINEPREFIX/dosdevices/d:"
