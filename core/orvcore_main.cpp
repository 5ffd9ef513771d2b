// Exported entry points of liborvcore.so.
