#!/bin/sh
# exports_test.sh OBJDUMP PROGRAM: the program file's export table holds exactly one
# name, ISWIN95, undecorated.
set -e
names=$("$1" -p "$2" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p')
if [ "$names" != ISWIN95 ]; then
    echo "exports of $2: got [$names], expected [ISWIN95]"
    exit 1
fi
