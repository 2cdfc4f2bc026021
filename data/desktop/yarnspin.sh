#!/bin/sh
# Starts Merovale Yarnspin from its program folder, which holds its lists and
# settings beside the executable.
exec "$(dirname "$(readlink -f "$0")")/../lib/yarnspin/yarnspin" "$@"
