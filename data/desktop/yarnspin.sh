#!/bin/sh
# Starts Merovale Yarnspin from its program folder; the marker file there
# tells the program that it is installed, so each user's lists and settings
# live in that user's own folder.
exec "$(dirname "$(readlink -f "$0")")/../lib/yarnspin/yarnspin" "$@"
