#!/usr/bin/env bash
# The man page must format with no groff warning at all.
set -u
avisos=$(groff -man -ww -z "$1" 2>&1)
status=$?
[ -n "$avisos" ] && printf '%s\n' "$avisos"
[ "$status" -eq 0 ] && [ -z "$avisos" ]
