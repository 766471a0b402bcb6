#include "project/mediakind.h"

#include <QFileInfo>

namespace vistarel::project {

const QString kMediaExtensionMask = QStringLiteral(
    "jpg,jpeg,jpe,jfif,png,bmp,dib,gif,tif,tiff,webp,heic,heif,avif,jp2,j2k,jpf,jpx,jxr,wdp,"
    "hdp,pcx,tga,psd,ico,wmf,emf,dng,cr2,cr3,crw,nef,nrw,arw,srf,sr2,orf,raf,rw2,pef,srw,raw,"
    "3fr,mrw,x3f,mp4,m4v,mov,avi,mkv,wmv,webm,mpg,mpeg,mts,m2ts,3gp,flv");

namespace {
constexpr int kVideoExtensionCount = 13;
const QString kVideoExtensionText =
    QStringLiteral("|.mp4|.m4v|.mov|.avi|.mkv|.wmv|.webm|.mpg|.mpeg|.mts|.m2ts|.3gp|.flv|");
} // namespace

QStringList mediaExtensions()
{
    return kMediaExtensionMask.split(u',');
}

QStringList pictureExtensions()
{
    QStringList all = mediaExtensions();
    return all.mid(0, all.size() - kVideoExtensionCount);
}

QStringList videoExtensions()
{
    QStringList all = mediaExtensions();
    return all.mid(all.size() - kVideoExtensionCount);
}

bool IsVideoFile(const QString& fileName)
{
    // The extension runs from the last dot of the name (not of the folder) on.
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : name.mid(dot).toLower();
    return kVideoExtensionText.contains(u'|' + extension + u'|');
}

} // namespace vistarel::project
