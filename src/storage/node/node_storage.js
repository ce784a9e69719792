// Linked into the node converter before its code (--pre-js): the errors of node's fs module as the numbers
// node_storage.cpp reads, -(index + 1) in this list, -1000 for an error not in it.
var tessaroven_node_error_names = ['ENOENT', 'EACCES', 'EPERM', 'ENOSPC', 'EDQUOT', 'EROFS', 'EISDIR',
                                   'ENOTDIR', 'EEXIST', 'ENAMETOOLONG', 'ELOOP', 'EIO', 'EBUSY', 'ETXTBSY',
                                   'EMFILE', 'ENFILE', 'EFBIG', 'EXDEV', 'EAGAIN'];
function tessaroven_node_error_code(e) {
    var i = tessaroven_node_error_names.indexOf(e && e.code);
    return i < 0 ? -1000 : -(i + 1);
}
