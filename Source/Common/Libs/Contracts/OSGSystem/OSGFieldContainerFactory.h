#ifndef OSG_FIELD_CONTAINER_FACTORY_H
#define OSG_FIELD_CONTAINER_FACTORY_H

#include "OSGFieldContainerPtr.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace osg {

class FieldContainerType;

/// Translates container ids read from a stream into the ids of this process.
class FieldContainerMapper {
public:
    virtual ~FieldContainerMapper() = default;
    virtual UInt32 map(UInt32 id) = 0;
};

/// Registry of the container types and of every live container, by id.
class FieldContainerFactory {
public:
    static FieldContainerFactory* the();

    /// Gives a new container its id (from 1 on; ids are never reused).
    UInt32 registerFieldContainer(const FieldContainerPtr& container);
    bool unregisterFieldContainer(const FieldContainerPtr& container);
    /// The live container with that id, or null.
    FieldContainerPtr getContainer(UInt32 id) const;
    /// How many containers are alive (prototypes included).
    UInt32 getNumLiveContainers() const { return _numLive; }

    /// A new container of the named type, made from its prototype; null for an
    /// unknown or abstract type.
    FieldContainerPtr createFieldContainer(const char* typeName) const;

    FieldContainerType* findType(const char* name) const;
    FieldContainerType* findType(UInt32 typeId) const;
    const std::vector<FieldContainerType*>& getTypes() const { return _types; }

    /// The id of a type group, registered on first request.
    UInt16 registerGroup(const char* name);
    UInt16 findGroupId(const char* name) const;

    void setMapper(FieldContainerMapper* mapper) { _mapper = mapper; }
    FieldContainerMapper* getMapper() const { return _mapper; }

private:
    friend class FieldContainerType;
    friend bool osgInit(int, char**);
    friend bool osgExit();

    FieldContainerFactory() = default;

    void registerType(FieldContainerType* type);
    void unregisterType(FieldContainerType* type);
    bool initializeTypes();
    void terminateTypes();

    std::vector<FieldContainer*> _containers{nullptr};
    UInt32 _numLive = 0;
    std::vector<FieldContainerType*> _types;
    std::unordered_map<std::string, UInt16> _groups;
    FieldContainerMapper* _mapper = nullptr;
};

} // namespace osg

#endif
