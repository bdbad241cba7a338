# Version resources, manifests, the icon and the zip of the program folder.
