// Keeps the support libraries non-empty while a build has no support files of a kind.
