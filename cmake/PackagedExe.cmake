# Packaging.
